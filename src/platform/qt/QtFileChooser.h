#pragma once
// The file chooser of the desktop, through QFileDialog: Qt hands it to the desktop's own dialog
// (its portal, GTK or Plasma dialog) where there is one, and shows its own otherwise.
#include "platform/FileChooser.h"

namespace orvane::platform::qt {

class QtFileChooser : public FileChooser {
public:
    std::optional<std::filesystem::path> openFile(Window* owner, const FileChooserOptions& options) override;
    std::optional<std::filesystem::path> saveFile(Window* owner, const FileChooserOptions& options) override;
};

}  // namespace orvane::platform::qt
