#include "app/SectionLayout.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

OpenSections only(std::initializer_list<Section> open) {
    OpenSections o{};
    for (auto s : open) o[size_t(s)] = true;
    return o;
}

TEST(SectionLayout, StartStateStacksHeadersUnderOpenDpiAndPolling) {
    const auto open = only({Section::Dpi, Section::Polling});
    EXPECT_EQ(headerTop(Section::Dpi, open, true), 37);
    EXPECT_EQ(headerTop(Section::Polling, open, true), 67 + 196);
    EXPECT_EQ(headerTop(Section::LiftOff, open, true), 97 + 196 + 85);
    EXPECT_EQ(headerTop(Section::Sleep, open, true), 127 + 196 + 85);
    EXPECT_EQ(headerTop(Section::Debounce, open, true), 157 + 196 + 85);
    EXPECT_EQ(headerTop(Section::Pointer, open, true), 187 + 196 + 85);
    EXPECT_EQ(contentTop(Section::Polling, open, true), 67 + 196 + 25);
}

TEST(SectionLayout, WithoutTheLiftOffPageLowerHeadersMoveUpThirty) {
    const auto open = only({Section::Dpi, Section::Sleep});
    for (auto s : {Section::Sleep, Section::Debounce, Section::Pointer})
        EXPECT_EQ(headerTop(s, open, true) - headerTop(s, open, false), 30);
    EXPECT_EQ(headerTop(Section::Polling, open, false), headerTop(Section::Polling, open, true));
}

TEST(SectionLayout, EachOpenSectionPushesTheHeadersBelowByItsPanel) {
    const auto closed = only({});
    const auto sleepOpen = only({Section::Sleep});
    EXPECT_EQ(headerTop(Section::Debounce, sleepOpen, true) - headerTop(Section::Debounce, closed, true), 110);
    EXPECT_EQ(headerTop(Section::Sleep, sleepOpen, true), headerTop(Section::Sleep, closed, true));
    const auto debounceOpen = only({Section::Debounce});
    EXPECT_EQ(headerTop(Section::Pointer, debounceOpen, true) - headerTop(Section::Pointer, closed, true), 85);
}

TEST(SectionLayout, OpeningKeepsOnlyTheTopmostOtherOpenSection) {
    // Sleep opened while DPI and polling are open: polling closes.
    auto open = afterHeaderToggled(Section::Sleep, only({Section::Dpi, Section::Polling, Section::Sleep}));
    EXPECT_EQ(open, only({Section::Dpi, Section::Sleep}));
    // Pointer opened with only debounce open: both stay.
    open = afterHeaderToggled(Section::Pointer, only({Section::Debounce, Section::Pointer}));
    EXPECT_EQ(open, only({Section::Debounce, Section::Pointer}));
    // DPI opened while polling and sleep are open: polling (the topmost other) stays.
    open = afterHeaderToggled(Section::Dpi, only({Section::Dpi, Section::Polling, Section::Sleep}));
    EXPECT_EQ(open, only({Section::Dpi, Section::Polling}));
}

TEST(SectionLayout, ClosingChangesNothingElse) {
    const auto before = only({Section::Polling, Section::Pointer});
    EXPECT_EQ(afterHeaderToggled(Section::Dpi, before), before);
}

TEST(SectionLayout, HeadersMapToTheirSections) {
    EXPECT_EQ(sectionForHeader(3011), int(Section::LiftOff));
    EXPECT_EQ(sectionForHeader(3003), int(Section::Pointer));
    EXPECT_EQ(sectionForHeader(3002), -1);
}

}  // namespace
}  // namespace orvane
