#pragma once
// What the mouse has not taken yet, gathered over the passes: a write lost in one pass stays
// listed until a later pass delivers the same item, and changes a blocked pass held back stay
// listed until a pass runs unblocked. The window shows it as a short line of text.
#include <map>
#include <set>

#include "base/Text.h"
#include "device/PassReport.h"
#include "profile/LanguageTable.h"

namespace orvane {

namespace undelivered {
inline constexpr int kTextWaitForMouse = 330;  // with %s: what is missing
inline constexpr int kTextRefused = 331;       // with %s
inline constexpr int kTextButton = 332;        // with %d
inline constexpr int kTextDpiLevels = 333;
inline constexpr int kTextDpiColours = 334;
inline constexpr int kTextPolling = 335;
inline constexpr int kTextLighting = 336;
inline constexpr int kTextLiftOff = 337;
inline constexpr int kTextDebounce = 338;
inline constexpr int kTextSleep = 339;
inline constexpr int kTextMacros = 340;
inline constexpr int kTextButtons = 341;  // with %s: the numbers
inline constexpr int kTextPerformance = 342;
inline constexpr int kTextAllButtons = 343;
inline constexpr int kTextMacroTooLong = 344;    // with %s: the macro's name
inline constexpr int kTextButtonDisabled = 345;  // with %s: the button's number
}  // namespace undelivered

class UndeliveredChanges {
public:
    // Takes the outcome of one synchronisation pass or factory reset. processed: the groups the
    // pass went through (they were marked before it began); an item of theirs that it did not
    // send already matched the mouse, e.g. a lost change the user has taken back since.
    void Take(const PassReport& report, const std::set<SyncGroup>& processed = {});
    [[nodiscard]] bool Empty() const {
        return frames_.empty() && held_.empty() && refusedMacros_.empty() && disabledButtons_.empty();
    }
    // "Not on the mouse yet: button 3, DPI levels - ..."; empty when everything arrived.
    [[nodiscard]] Text Describe(const LanguageTable& language) const;
    [[nodiscard]] Text DescribeWaiting(const LanguageTable& language) const;

private:
    // The command and, for buttons, the button; every macro frame counts as "macros".
    using Item = std::pair<Command, int>;
    static Item ItemOf(const FrameReport& frame);

    std::map<Item, FrameFate> frames_;
    std::set<SyncGroup> held_;
    // Macros the mouse cannot hold: every pass that reaches the mouse names them again.
    std::set<Text> refusedMacros_;
    // Buttons a pass disabled because their macro left the library; told until the user's next
    // change of the buttons has gone out.
    std::set<int> disabledButtons_;
};

}  // namespace orvane
