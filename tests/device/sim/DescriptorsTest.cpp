#include <gtest/gtest.h>

#include "device/hid/InterfaceRole.h"
#include "device/hid/ReportDescriptor.h"
#include "device/sim/Descriptors.h"

using namespace orvane;
using namespace orvane::sim;

// The lengths the in-process transport reports must be what the hidraw backend will parse from
// the same descriptors when the uhid program serves them.
TEST(Descriptors, ParseToTheLengthsTheTransportReportsAndClassifyAsIntended) {
    struct Case {
        InterfaceKind kind;
        hid::InterfaceRole role;
    };
    for (const Case c : {Case{InterfaceKind::BootMouse, hid::InterfaceRole::Ignored},
                         Case{InterfaceKind::Input, hid::InterfaceRole::Input},
                         Case{InterfaceKind::Feature, hid::InterfaceRole::Feature},
                         Case{InterfaceKind::Combined, hid::InterfaceRole::Input}}) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        auto parsed = hid::ReportDescriptor::parse(reportDescriptor(c.kind));
        ASSERT_TRUE(parsed.ok()) << parsed.error().message();
        ASSERT_EQ(parsed->collections().size(), 1u);
        const auto& tlc = parsed->collections()[0];
        EXPECT_EQ(tlc.inputReportLength, inputReportLength(c.kind));
        EXPECT_EQ(tlc.featureReportLength, featureReportLength(c.kind));
        EXPECT_EQ(hid::classifyInterface(tlc.inputReportLength, tlc.featureReportLength), c.role);
        EXPECT_EQ(parsed->numbered(), c.kind != InterfaceKind::BootMouse);
    }
}

TEST(Descriptors, EveryDeviceHasExactlyOneInputAndOneFeatureInterface) {
    for (bool combined : {false, true}) {
        int inputs = 0, features = 0;
        for (InterfaceKind k : deviceInterfaces(combined)) {
            const auto role = hid::classifyInterface(inputReportLength(k), featureReportLength(k));
            inputs += role == hid::InterfaceRole::Input;
            features += role == hid::InterfaceRole::Feature;
        }
        EXPECT_EQ(inputs, 1);
        EXPECT_EQ(features, 1);
    }
}
