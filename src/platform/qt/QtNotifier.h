#pragma once
// Desktop notifications over D-Bus (org.freedesktop.Notifications). No Qt types here.
#include <memory>

#include "platform/Notifier.h"

namespace orvane::platform::qt {

// None when there is no session bus to speak to.
std::unique_ptr<Notifier> createNotifier();

}  // namespace orvane::platform::qt
