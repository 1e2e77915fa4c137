#pragma once
// Tells when something in one folder may have changed, from the kernel's file notifications
// (inotify): a thread of its own sleeps in poll() until the kernel reports a file written,
// renamed, created or deleted there, so a program that watches its configuration folder wakes
// only when the folder changes, not on a timer. The callback runs on that thread; it is given
// lost = true once the notifications end (the folder was removed or renamed, or the kernel's
// queue overflowed so changes may be missing) and is not called again after that.
#include <filesystem>
#include <functional>
#include <memory>

#include "base/Result.h"

namespace orvane {

class FolderWatch {
public:
    using OnChange = std::function<void(bool lost)>;
    // Fails when the kernel gives no watch (the user's inotify limits are used up, or the
    // folder is not there); a caller then looks for changes itself.
    static Result<std::unique_ptr<FolderWatch>> Start(const std::filesystem::path& folder, OnChange onChange);

    // Stops the thread; the callback is not running and will not run once this returns.
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

private:
    struct State;
    explicit FolderWatch(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace orvane
