// The skinned lists from the keyboard and to readers: where the list keys move the selection,
// that it is scrolled into view and told to the owner, and the rows readers are given.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "ui/CEditShowList.h"
#include "ui/CImageShowList.h"
#include "ui/ListKeys.h"

namespace orvane::ui {
namespace {

using platform::AccessibleRole;
using test::Message;
namespace vk {
using platform::kVkDelete, platform::kVkDown, platform::kVkEnd, platform::kVkHome, platform::kVkPageDown,
    platform::kVkPageUp, platform::kVkUp;
}

TEST(ListKeys, TargetsOfEachKeyStayInsideTheList) {
    // 20 rows, 13 shown: a page moves 12 so that the row that was at one edge stays in view.
    EXPECT_EQ(ListKeyTarget(vk::kVkDown, 5, 20, 13), 6);
    EXPECT_EQ(ListKeyTarget(vk::kVkUp, 5, 20, 13), 4);
    EXPECT_EQ(ListKeyTarget(vk::kVkPageDown, 5, 20, 13), 17);
    EXPECT_EQ(ListKeyTarget(vk::kVkPageUp, 15, 20, 13), 3);
    EXPECT_EQ(ListKeyTarget(vk::kVkHome, 15, 20, 13), 0);
    EXPECT_EQ(ListKeyTarget(vk::kVkEnd, 2, 20, 13), 19);
    // At the ends they stop there.
    EXPECT_EQ(ListKeyTarget(vk::kVkDown, 19, 20, 13), 19);
    EXPECT_EQ(ListKeyTarget(vk::kVkUp, 0, 20, 13), 0);
    EXPECT_EQ(ListKeyTarget(vk::kVkPageDown, 15, 20, 13), 19);
    EXPECT_EQ(ListKeyTarget(vk::kVkPageUp, 3, 20, 13), 0);
    // A page of one row still moves.
    EXPECT_EQ(ListKeyTarget(vk::kVkPageDown, 3, 20, 1), 4);
    // Without a selection (or one past the end) every key starts at the top, End at the bottom.
    EXPECT_EQ(ListKeyTarget(vk::kVkUp, -1, 20, 13), 0);
    EXPECT_EQ(ListKeyTarget(vk::kVkDown, -1, 20, 13), 0);
    EXPECT_EQ(ListKeyTarget(vk::kVkEnd, -1, 20, 13), 19);
    EXPECT_EQ(ListKeyTarget(vk::kVkDown, 25, 20, 13), 0);
    // An empty list and other keys: nothing.
    EXPECT_EQ(ListKeyTarget(vk::kVkDown, -1, 0, 13), -1);
    EXPECT_EQ(ListKeyTarget(vk::kVkDelete, 3, 20, 13), -1);
    EXPECT_EQ(ListKeyTarget(platform::kVkLeft, 3, 20, 13), -1);
}

TEST(ListKeys, TheFirstRowShownMovesOnlyAsFarAsNeeded) {
    EXPECT_EQ(FirstRowShowing(5, 3, 13), 3);    // in view
    EXPECT_EQ(FirstRowShowing(2, 3, 13), 2);    // above: it becomes the top row
    EXPECT_EQ(FirstRowShowing(16, 3, 13), 4);   // below: it becomes the bottom row
    EXPECT_EQ(FirstRowShowing(15, 3, 13), 3);   // the bottom row already
    EXPECT_EQ(FirstRowShowing(-1, 3, 13), 3);   // no row
}

struct KeyListKeys : test::ControlFixture {
    MacroLibrary library;
    CEditShowList list{&dlg, {25, 54, 168, 323}, library};
    void SetUp() override {
        MacroSet& set = library.AddSet(u"Games");
        for (int i = 0; i < 20; ++i) set.AddKey(fromUtf8("Key " + std::to_string(i)));
        list.ShowSet(0);
    }
};

TEST_F(KeyListKeys, ArrowsSelectScrollIntoViewAndTellTheOwnerAsAClick) {
    ASSERT_EQ(list.VisibleRows, 13);
    EXPECT_TRUE(list.OnNavigationKey(vk::kVkEnd));
    EXPECT_EQ(list.SelectedRow, 19);
    EXPECT_EQ(list.FirstRow, 7);  // the last key in the bottom row
    EXPECT_TRUE(list.OnNavigationKey(vk::kVkPageUp));
    EXPECT_EQ(list.SelectedRow, 7);
    EXPECT_EQ(list.FirstRow, 7);
    EXPECT_TRUE(list.OnNavigationKey(vk::kVkUp));
    EXPECT_EQ(list.SelectedRow, 6);
    EXPECT_EQ(list.FirstRow, 6);
    EXPECT_EQ(codes(), (std::vector<intptr_t>{kCodeClicked, kCodeClicked, kCodeClicked}));
    EXPECT_FALSE(list.OnNavigationKey(platform::kVkLeft));
    EXPECT_TRUE(take().empty());
}

TEST_F(KeyListKeys, EnterRenamesDeleteAsksAndNeitherWithoutASelection) {
    EXPECT_TRUE(list.Activate());
    EXPECT_TRUE(list.OnNavigationKey(vk::kVkDelete));
    EXPECT_EQ(take(), (std::vector<Message>{{2015, 0, kCodeDoubleClick}, {2015, 0, kCodeDeleteRequested}}));
    list.SelectedRow = -1;
    EXPECT_FALSE(list.Activate());
    EXPECT_FALSE(list.OnNavigationKey(vk::kVkDelete));
    list.SetDisabled(true);  // while a recording runs
    EXPECT_FALSE(list.Focusable());
    EXPECT_FALSE(list.SelectItem(2));
    EXPECT_TRUE(take().empty());
}

TEST_F(KeyListKeys, ReadersGetTheRowsWithTheSelectionAndWhereEachIsDrawn) {
    list.SetAccessibleName(u"Macros");
    list.FirstRow = 3;
    list.SelectedRow = 4;
    auto n = list.Describe();
    EXPECT_EQ(n.role, AccessibleRole::List);
    EXPECT_EQ(n.name, u"Macros");
    EXPECT_TRUE(n.has(platform::kAccessibleFocusable));
    ASSERT_EQ(n.children.size(), 20u);
    EXPECT_EQ(n.children[4].name, u"Key 4");
    EXPECT_EQ(n.children[4].role, AccessibleRole::ListItem);
    EXPECT_TRUE(n.children[4].has(platform::kAccessibleSelected));
    EXPECT_FALSE(n.children[5].has(platform::kAccessibleSelected));
    EXPECT_EQ(n.children[4].rect, (Rect{25, 74, 168, 94}));  // the second row shown
    EXPECT_TRUE(n.children[2].has(platform::kAccessibleOffscreen));
    EXPECT_TRUE(n.children[2].rect.isEmpty());
    EXPECT_TRUE(n.children[19].has(platform::kAccessibleOffscreen));
    // A reader's choice of a row is a click on it, scrolled into view.
    EXPECT_TRUE(list.SelectItem(18));
    EXPECT_EQ(list.SelectedRow, 18);
    EXPECT_EQ(list.FirstRow, 6);
    EXPECT_EQ(codes(), (std::vector<intptr_t>{kCodeClicked}));
    EXPECT_FALSE(list.SelectItem(20));
}

struct ActionListKeys : test::ControlFixture {
    MacroKey key{u"Combo"};
    CImageShowList list{&dlg, {190, 54, 333, 323}, [](uint8_t) { return Text{u"A"}; }};
    void SetUp() override {
        key.SetActionBytes(0, {0x41, 0x00, 0, 0});
        key.SetActionBytes(1, {0x03, 0x00, 0x00, 0x32});
        key.SetActionBytes(2, {0x41, 0x80, 0, 0});
        key.ActionCount = 3;
        list.ShownKey = &key;
    }
};

TEST_F(ActionListKeys, RowsAreReadWithWhatTheIconSays) {
    list.SetReaderWords(u"Press %s", u"%s loslassen", u"Wait");
    const auto n = list.Describe();
    ASSERT_EQ(n.children.size(), 3u);
    EXPECT_EQ(n.children[0].name, u"Press A");
    EXPECT_EQ(n.children[1].name, u"Wait 50ms");  // words without "%s": the text follows them
    EXPECT_EQ(n.children[2].name, u"A loslassen");
    EXPECT_EQ(list.Describe().role, AccessibleRole::List);
}

TEST_F(ActionListKeys, KeysSelectEditAndDeleteWithinTheActions) {
    EXPECT_TRUE(list.OnNavigationKey(vk::kVkDown));  // no selection yet: the first row
    EXPECT_EQ(list.SelectedRow, 0);
    EXPECT_TRUE(list.OnNavigationKey(vk::kVkPageDown));
    EXPECT_EQ(list.SelectedRow, 2);
    EXPECT_TRUE(list.Activate());
    EXPECT_TRUE(list.OnNavigationKey(vk::kVkDelete));
    EXPECT_EQ(take(), (std::vector<Message>{{2020, 0, kCodeClicked},
                                            {2020, 0, kCodeClicked},
                                            {2020, 0, kCodeDoubleClick},
                                            {2020, 0, kCodeDeleteRequested}}));
    list.ShownKey = nullptr;  // no macro: the keys do nothing
    EXPECT_FALSE(list.OnNavigationKey(vk::kVkDown));
    EXPECT_FALSE(list.Activate());
    EXPECT_TRUE(list.Describe().children.empty());
}

}  // namespace
}  // namespace orvane::ui
