#pragma once
// A file chooser for tests: answers from a script, in order, and remembers what it was asked.
#include <deque>

#include "platform/FileChooser.h"

namespace orvane::platform {

class FakeFileChooser : public FileChooser {
public:
    struct Call {
        bool save = false;
        FileChooserOptions options;
        Window* owner = nullptr;
    };

    // The next answer; nothing stands for the user cancelling. Without answers left the
    // chooser cancels.
    void answer(std::optional<std::filesystem::path> path) { answers_.push_back(std::move(path)); }
    const std::vector<Call>& calls() const { return calls_; }

    std::optional<std::filesystem::path> openFile(Window* owner, const FileChooserOptions& options) override {
        return next(owner, options, false);
    }
    std::optional<std::filesystem::path> saveFile(Window* owner, const FileChooserOptions& options) override {
        return next(owner, options, true);
    }

private:
    std::optional<std::filesystem::path> next(Window* owner, const FileChooserOptions& options, bool save) {
        calls_.push_back(Call{save, options, owner});
        if (answers_.empty()) return std::nullopt;
        auto a = std::move(answers_.front());
        answers_.pop_front();
        return a;
    }

    std::deque<std::optional<std::filesystem::path>> answers_;
    std::vector<Call> calls_;
};

}  // namespace orvane::platform
