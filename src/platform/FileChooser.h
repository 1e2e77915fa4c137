#pragma once
// The desktop's own file chooser, for import and export. The product shows the desktop's
// dialog (through its portal where the desktop has one); tests script the answers.
#include <filesystem>
#include <optional>
#include <vector>

#include "base/Text.h"

namespace orvane::platform {

class Window;

struct FileFilter {
    Text label;    // "psf file(*.psf)"
    Text pattern;  // "*.psf"
};

struct FileChooserOptions {
    Text title;
    std::vector<FileFilter> filters;  // the first one is selected
    Text defaultSuffix;               // "psf": added to a name typed without an extension
    Text initialName;                 // the name the dialog starts with
    std::filesystem::path folder;     // where it starts; empty: the current directory
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen path, or nothing when the user cancelled. The chooser is modal over owner
    // (which may be null). An open chooser returns only files that exist.
    virtual std::optional<std::filesystem::path> openFile(Window* owner, const FileChooserOptions& options) = 0;
    virtual std::optional<std::filesystem::path> saveFile(Window* owner, const FileChooserOptions& options) = 0;
};

// The suffix rule of the desktop's choosers: a name without an extension gets the default one.
std::filesystem::path withDefaultSuffix(std::filesystem::path path, const Text& suffix);

}  // namespace orvane::platform
