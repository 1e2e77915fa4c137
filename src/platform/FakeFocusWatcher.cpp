#include "platform/FakeFocusWatcher.h"

namespace orvane::platform {

void FakeFocusWatcher::watch(std::function<void(const ProgramIdentity&)> onFocus) {
    onFocus_ = std::move(onFocus);
}

void FakeFocusWatcher::focus(const ProgramIdentity& program) {
    focused_ = program;
    if (onFocus_) onFocus_(program);
}

}  // namespace orvane::platform
