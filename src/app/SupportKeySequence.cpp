#include "app/SupportKeySequence.h"

namespace orvane {

bool SupportKeySequence::feed(uint32_t vk) {
    if (vk == uint32_t(kLetters[matched_])) {
        if (++matched_ == kLetters.size()) {
            matched_ = 0;
            return true;
        }
        return false;
    }
    // A wrong key starts the count again; it may itself be the first letter.
    matched_ = vk == uint32_t(kLetters[0]) ? 1 : 0;
    return false;
}

}  // namespace orvane
