#pragma once
// Desktop notifications (the small pop-ups of the desktop's notification service). The Qt
// backend speaks the freedesktop protocol over the session bus; without a bus it shows nothing
// and reports nothing. Calls never wait for the desktop.
#include "base/Text.h"

namespace orvane::platform {

enum class Urgency { Normal, Critical };

class Notifier {
public:
    virtual ~Notifier() = default;
    // A later notification replaces the earlier one rather than piling up.
    virtual void notify(const Text& summary, const Text& body, Urgency urgency) = 0;
    // A passing hint (a setting the mouse just changed): shown briefly, kept out of the
    // desktop's history, and replacing the previous hint only, never a notify() message.
    virtual void hint(const Text& summary, const Text& body) { (void)summary, (void)body; }
};

}  // namespace orvane::platform
