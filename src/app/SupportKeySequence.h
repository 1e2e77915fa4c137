#pragma once
// The hidden key sequence of the main window: the letters O R V A N E H E L P typed in order
// while the window has the keyboard bring up the support notice. Any other key starts over.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Text.h"
#include "base/Version.h"

namespace orvane {

class SupportKeySequence {
public:
    static constexpr std::string_view kLetters = "ORVANEHELP";

    // One key-down (virtual-key code, 'A'..'Z' for letters). True when it completed the sequence;
    // the count then starts again.
    bool feed(uint32_t vk);
    size_t matched() const { return matched_; }

private:
    size_t matched_ = 0;
};

// What the notice says; not from the language file, so it reads the same in every language.
inline Text SupportNotice() {
    return u"Velmira Orvane " + Text(VersionText()) +
           u". For help, report the problem to the Orvane project with the output of "
           u"\"orvanectl devices\" and \"orvanectl status\".";
}

}  // namespace orvane
