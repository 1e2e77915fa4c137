#pragma once
// Decoded skin pictures kept on disk, so that a later start reads their pixels instead of
// decoding the files again.
//
// Decoding the main window's pictures (its background above all) was most of the processor work
// between the start and the first painted frame. The store holds, per picture file, the decoded
// pixels and the identity of the file they came from (size, modification time, inode, device and
// name); an entry whose file has changed in any of these, or that is damaged in any way, is not
// used (the file is decoded again and the entry replaced). It is a cache: nothing in it is the
// user's, and losing it costs one slower start.
//
// It also remembers which pictures the main window's first paint drew, in order, so that the
// next start can read those ahead of the paint (ImageCache::prefetch).
//
// Entries are written as exports are (WriteExportFile: complete or not at all, never a part) and
// read as every file is (ReadFileBytes: regular files only, up to kMaxReadBytes; a larger picture
// is always decoded). Safe to use from several threads.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Image.h"

namespace orvane::platform {

class PictureStore {
public:
    // The folder need not exist yet: it is created (for this user only) at the first write.
    explicit PictureStore(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }

    // The pixels stored for file (an absolute name), if they were made from the file as it is now.
    std::optional<Image> read(const std::string& file) const;
    // Keeps img's pixels for file; false when they could not be kept (the store is then just
    // not used for it).
    bool write(const std::string& file, const Image& img) const;

    // The pictures the main window's first paint drew last time, in the order it drew them.
    std::vector<std::string> firstPictures() const;
    bool writeFirstPictures(const std::vector<std::string>& files) const;

    // The file an entry is kept in (for tests).
    std::filesystem::path entryPath(const std::string& file) const;

private:
    bool writeWhole(const std::filesystem::path& target, std::string_view bytes) const;

    std::filesystem::path folder_;
};

}  // namespace orvane::platform
