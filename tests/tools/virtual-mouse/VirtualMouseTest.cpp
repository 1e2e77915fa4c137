#include <gtest/gtest.h>

#include "Commands.h"
#include "VirtualMouse.h"
#include "device/hid/InterfaceRole.h"
#include "device/hid/ReportDescriptor.h"

using namespace orvane;
using vmouse::Command;
using vmouse::parseCommand;

TEST(VirtualMouseCommands, ParsesEveryCommandAndRejectsWhatItCannotDo) {
    auto unplug = parseCommand("  unplug receiver\r");
    ASSERT_TRUE(unplug.ok());
    EXPECT_EQ(unplug->kind, Command::Kind::Unplug);
    EXPECT_EQ(unplug->device, hid::DeviceRole::Receiver);

    auto dpi = parseCommand("dpi 4");
    ASSERT_TRUE(dpi.ok());
    EXPECT_EQ(dpi->kind, Command::Kind::Dpi);
    EXPECT_EQ(dpi->value, 3);  // the model counts levels from 0

    auto polling = parseCommand("polling 2");
    ASSERT_TRUE(polling.ok());
    EXPECT_EQ(polling->value, 2);

    EXPECT_EQ(parseCommand("").value().kind, Command::Kind::None);
    EXPECT_EQ(parseCommand("# a comment").value().kind, Command::Kind::None);
    EXPECT_EQ(parseCommand("battery 100").value().value, 100);

    for (const char* bad : {"plug", "plug mouse", "dpi 0", "dpi 5", "dpi x", "polling 3", "battery 101",
                            "battery -1", "charging 3", "sleep now", "fly"}) {
        auto c = parseCommand(bad);
        ASSERT_FALSE(c.ok()) << bad;
        EXPECT_EQ(c.error().code, EINVAL);
    }
}

TEST(VirtualMouseDescriptor, TheKernelSeesOneInputAndOneFeatureInterfacePerDevice) {
    for (bool combined : {false, true}) {
        SCOPED_TRACE(combined ? "combined input" : "separate interfaces");
        const auto bytes = vmouse::VirtualMouse::descriptor(combined);
        auto parsed = hid::ReportDescriptor::parse(bytes);
        ASSERT_TRUE(parsed.ok()) << parsed.error().message();
        EXPECT_TRUE(parsed->numbered());
        const auto& c = parsed->collections();
        ASSERT_EQ(c.size(), 2u);
        EXPECT_EQ(hid::classifyInterface(c[0].inputReportLength, c[0].featureReportLength),
                  hid::InterfaceRole::Input);
        EXPECT_EQ(c[0].featureReportLength, combined ? 33 : 0);
        EXPECT_EQ(hid::classifyInterface(c[1].inputReportLength, c[1].featureReportLength),
                  hid::InterfaceRole::Feature);
        EXPECT_EQ(c[1].inputReportLength, 9);
    }
}
