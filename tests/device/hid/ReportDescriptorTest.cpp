#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/hid/InterfaceRole.h"
#include "device/hid/ReportDescriptor.h"
#include "device/sim/Descriptors.h"

using namespace orvane::hid;

namespace {

// A boot-protocol mouse without report IDs: 3 buttons + 5 padding bits, X, Y, wheel.
const std::vector<uint8_t> kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00,  //
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01,  //
    0x95, 0x03, 0x75, 0x01, 0x81, 0x02,                          // 3 buttons
    0x95, 0x01, 0x75, 0x05, 0x81, 0x03,                          // padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81,
    0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06,  // X, Y, wheel
    0xC0, 0xC0,
};

// The shape of a gaming mouse's second interface: keyboard (ID 1, with LED output), consumer
// keys (ID 3), and a vendor collection with a 32-byte input report 5 and a 32-byte feature
// report 0x0C in separate top-level collections.
const std::vector<uint8_t> kNumberedComposite = {
    // Keyboard: 8-byte input, 1-byte LED output.
    0x05,
    0x01,
    0x09,
    0x06,
    0xA1,
    0x01,
    0x85,
    0x01,  //
    0x05,
    0x07,
    0x19,
    0xE0,
    0x29,
    0xE7,
    0x15,
    0x00,
    0x25,
    0x01,
    0x75,
    0x01,
    0x95,
    0x08,
    0x81,
    0x02,
    0x95,
    0x01,
    0x75,
    0x08,
    0x81,
    0x03,  // reserved byte
    0x95,
    0x06,
    0x75,
    0x08,
    0x26,
    0xFF,
    0x00,
    0x19,
    0x00,
    0x29,
    0xFF,
    0x81,
    0x00,
    0x05,
    0x08,
    0x19,
    0x01,
    0x29,
    0x05,
    0x95,
    0x05,
    0x75,
    0x01,
    0x91,
    0x02,  // LEDs
    0x95,
    0x01,
    0x75,
    0x03,
    0x91,
    0x03,
    0xC0,
    // Consumer control: one 16-bit usage.
    0x05,
    0x0C,
    0x09,
    0x01,
    0xA1,
    0x01,
    0x85,
    0x03,
    0x15,
    0x00,
    0x26,
    0xFF,
    0x03,
    0x19,
    0x00,
    0x2A,
    0xFF,
    0x03,
    0x75,
    0x10,
    0x95,
    0x01,
    0x81,
    0x00,
    0xC0,
    // Vendor notifications: input report 5, 32 bytes.
    0x06,
    0x00,
    0xFF,
    0x09,
    0x01,
    0xA1,
    0x01,
    0x85,
    0x05,
    0x15,
    0x00,
    0x26,
    0xFF,
    0x00,
    0x75,
    0x08,
    0x95,
    0x20,
    0x09,
    0x01,
    0x81,
    0x02,
    0xC0,
    // Vendor commands: feature report 0x0C, 32 bytes.
    0x06,
    0x01,
    0xFF,
    0x09,
    0x02,
    0xA1,
    0x01,
    0x85,
    0x0C,
    0x75,
    0x08,
    0x95,
    0x20,
    0x09,
    0x02,
    0xB1,
    0x02,
    0xC0,
};

}  // namespace

TEST(ReportDescriptor, UnnumberedMouseCountsTheReportIdByteAnyway) {
    auto d = ReportDescriptor::parse(kBootMouse);
    ASSERT_TRUE(d.ok()) << d.error().message();
    ASSERT_EQ(d->collections().size(), 1u);
    const CollectionReports& c = d->collections()[0];
    EXPECT_EQ(c.usagePage, 0x01);
    EXPECT_EQ(c.usage, 0x02);
    EXPECT_EQ(c.inputReportLength, 5);  // 4 bytes of data + the ID byte
    EXPECT_EQ(c.featureReportLength, 0);
    EXPECT_EQ(c.outputReportLength, 0);
    EXPECT_FALSE(d->numbered());
}

TEST(ReportDescriptor, EveryTopLevelCollectionHasItsOwnLengths) {
    auto d = ReportDescriptor::parse(kNumberedComposite);
    ASSERT_TRUE(d.ok()) << d.error().message();
    EXPECT_TRUE(d->numbered());
    const auto& c = d->collections();
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].usage, 0x06);
    EXPECT_EQ(c[0].inputReportLength, 9);
    EXPECT_EQ(c[0].outputReportLength, 2);
    EXPECT_EQ(c[1].usagePage, 0x0C);
    EXPECT_EQ(c[1].inputReportLength, 3);
    EXPECT_EQ(c[2].usagePage, 0xFF00);
    EXPECT_EQ(c[2].inputReportLength, 33);
    EXPECT_EQ(c[2].featureReportLength, 0);
    EXPECT_EQ(c[3].usagePage, 0xFF01);
    EXPECT_EQ(c[3].inputReportLength, 0);
    EXPECT_EQ(c[3].featureReportLength, 33);
    EXPECT_EQ(classifyInterface(c[2].inputReportLength, c[2].featureReportLength), InterfaceRole::Input);
    EXPECT_EQ(classifyInterface(c[3].inputReportLength, c[3].featureReportLength), InterfaceRole::Feature);
    EXPECT_EQ(classifyInterface(c[0].inputReportLength, c[0].featureReportLength), InterfaceRole::Ignored);
}

TEST(ReportDescriptor, ItemsOfOneReportAddUpAndTheLargestReportWins) {
    // One collection: input report 1 = 3 + 10 bytes in two items, report 2 = 20 bytes,
    // feature report 3 = 7 bits (rounded up to one byte).
    const std::vector<uint8_t> desc = {
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,        //
        0x85, 0x01, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02,  // 3 bytes
        0x95, 0x0A, 0x81, 0x02,                          // 10 more in report 1
        0x85, 0x02, 0x95, 0x14, 0x81, 0x02,              // 20 bytes
        0x85, 0x03, 0x75, 0x01, 0x95, 0x07, 0xB1, 0x02,  // 7 bits
        0xC0,
    };
    auto d = ReportDescriptor::parse(desc);
    ASSERT_TRUE(d.ok()) << d.error().message();
    EXPECT_EQ(d->collections()[0].inputReportLength, 21);
    EXPECT_EQ(d->collections()[0].featureReportLength, 2);
}

TEST(ReportDescriptor, PushPopRestoresReportIdAndSizesAndLongItemsAreSkipped) {
    const std::vector<uint8_t> desc = {
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,        //
        0x85, 0x05, 0x75, 0x08, 0x95, 0x20,              // report 5, 32 x 8 bits
        0xA4,                                            // Push
        0x85, 0x06, 0x75, 0x10, 0x95, 0x30, 0x81, 0x02,  // report 6: 96 bytes
        0xB4,                                            // Pop: back to report 5, 32 x 8 bits
        0xFE, 0x03, 0xF1, 0x81, 0x02, 0xB1,              // a long item whose data looks like main items
        0x09, 0x01, 0xB1, 0x02,                          // feature report 5: 32 bytes
        0x27, 0xFF, 0xFF, 0x00, 0x00,                    // 4-byte logical maximum
        0xC0,
    };
    auto d = ReportDescriptor::parse(desc);
    ASSERT_TRUE(d.ok()) << d.error().message();
    ASSERT_EQ(d->collections().size(), 1u);
    EXPECT_EQ(d->collections()[0].inputReportLength, 97);
    EXPECT_EQ(d->collections()[0].featureReportLength, 33);
}

TEST(ReportDescriptor, ExtendedUsageNamesTheCollectionPage) {
    const std::vector<uint8_t> desc = {0x0B, 0x02, 0x00, 0x01, 0x00, 0xA1, 0x01,
                                       0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0};
    auto d = ReportDescriptor::parse(desc);
    ASSERT_TRUE(d.ok()) << d.error().message();
    EXPECT_EQ(d->collections()[0].usagePage, 0x01);
    EXPECT_EQ(d->collections()[0].usage, 0x02);
}

TEST(ReportDescriptor, RejectsMalformedDescriptors) {
    const std::vector<std::vector<uint8_t>> bad = {
        {0x05, 0x01, 0xA1, 0x01, 0x75},              // truncated short item
        {0xA1, 0x01, 0xFE, 0x05, 0x10, 0x00, 0xC0},  // long item runs past the end
        {0xA1, 0x01, 0xB4, 0xC0},                    // Pop without Push
        {0xA1, 0x01, 0x75, 0x08},                    // collection never closed
        {0xC0},                                      // End Collection first
        {0xA1, 0x01, 0x85, 0x00, 0xC0},              // report ID 0
        {0x75, 0x08, 0x95, 0x01, 0x81, 0x02},        // input item outside a collection
        // 0xFFFF items of 0xFFFF bits: far beyond what a 16-bit length can state.
        {0xA1, 0x01, 0x77, 0xFF, 0xFF, 0x00, 0x00, 0x97, 0xFF, 0xFF, 0x00, 0x00, 0x81, 0x02, 0xC0},
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        auto d = ReportDescriptor::parse(bad[i]);
        ASSERT_FALSE(d.ok()) << "descriptor " << i;
        EXPECT_EQ(d.error().code, EINVAL);
    }
    // Sizes that overflow 32 bits must not wrap around into a plausible length.
    const std::vector<uint8_t> huge = {0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97,
                                       0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0xC0};
    EXPECT_FALSE(ReportDescriptor::parse(huge).ok());
}

TEST(ReportDescriptor, EmptyDescriptorHasNoCollections) {
    auto d = ReportDescriptor::parse({});
    ASSERT_TRUE(d.ok());
    EXPECT_TRUE(d->collections().empty());
}

TEST(InterfaceRole, ClassifiesByReportLengths) {
    EXPECT_EQ(classifyInterface(33, 33), InterfaceRole::Input);  // both 33: input only
    EXPECT_EQ(classifyInterface(33, 0), InterfaceRole::Input);
    EXPECT_EQ(classifyInterface(9, 33), InterfaceRole::Feature);
    EXPECT_EQ(classifyInterface(0, 33), InterfaceRole::Feature);
    EXPECT_EQ(classifyInterface(32, 32), InterfaceRole::Ignored);
    EXPECT_EQ(classifyInterface(0, 0), InterfaceRole::Ignored);
}

TEST(ReportDescriptor, VirtualMouseDescriptorsGiveTheLengthsTheSimulationReports) {
    using orvane::sim::InterfaceKind;
    for (InterfaceKind kind :
         {InterfaceKind::BootMouse, InterfaceKind::Input, InterfaceKind::Feature, InterfaceKind::Combined}) {
        SCOPED_TRACE(static_cast<int>(kind));
        auto d = ReportDescriptor::parse(orvane::sim::reportDescriptor(kind));
        ASSERT_TRUE(d.ok()) << d.error().message();
        ASSERT_EQ(d->collections().size(), 1u);
        EXPECT_EQ(d->collections()[0].inputReportLength, orvane::sim::inputReportLength(kind));
        EXPECT_EQ(d->collections()[0].featureReportLength, orvane::sim::featureReportLength(kind));
        EXPECT_EQ(d->numbered(), kind != InterfaceKind::BootMouse);
    }
}
