#include "macro/MacroRecorder.h"

#include <algorithm>

#include "macro/MacroEdits.h"

namespace orvane::macro {

namespace {
constexpr uint32_t kReleaseBit = 0x80000000u;
constexpr uint32_t kTimeMask = 0x7FFFFFFFu;

uint32_t elapsedMs(uint32_t fromWord, uint32_t toWord) {
    const uint32_t from = fromWord & kTimeMask, to = toWord & kTimeMask;
    // One wrap of the clock: the time went from near 0x7FFFFFFF back past 0.
    return to >= from ? to - from : to + (kTimeMask + 1) - from;
}
}  // namespace

void MacroRecorder::Start(MacroKey& key) {
    key_ = &key;
    last_ = {};
    appended_ = true;
    key.ActionCount = 0;
    RecountCommands(key);
}

MacroRecorder::Outcome MacroRecorder::OnKey(const RecordedKey& event, bool recordDelays) {
    if (!key_) return Outcome::Dropped;
    const uint32_t code = event.code & 0xFF;
    if (code <= 7) return Outcome::Dropped;
    // A key held down repeats its press; the other direction of the same key is new.
    if (code == last_.code && (event.word & kReleaseBit) == (last_.word & kReleaseBit)) return Outcome::Dropped;
    const bool release = (event.word & kReleaseBit) != 0;
    Outcome outcome = Outcome::Recorded;
    if (key_->ActionCount == 0) {
        // No delay before the first action.
        appended_ = appendAction(*key_, keyAction(uint8_t(code), release));
    } else if (CountMacroCommands(*key_) > kRecordCeiling) {
        outcome = Outcome::LimitReached;
    } else {
        // The delay and its key go in together or not at all: a trailing delay would be lost
        // time with no key after it.
        const uint32_t needed = recordDelays ? 2 : 1;
        appended_ = key_->UsableActionCount() + needed <= MacroKey::kSlotCount;
        if (appended_ && recordDelays)
            appendAction(*key_, delayAction(std::min(elapsedMs(last_.word, event.word), kMaxRecordedDelayMs)));
        if (appended_) appendAction(*key_, keyAction(uint8_t(code), release));
    }
    RecountCommands(*key_);
    last_ = {code, event.word};
    return outcome;
}

}  // namespace orvane::macro
