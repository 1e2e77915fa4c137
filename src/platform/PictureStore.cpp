#include "platform/PictureStore.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "profile/AtomicFile.h"

namespace orvane::platform {

namespace {

constexpr char kMagic[8] = {'O', 'R', 'V', 'P', 'I', 'X', '1', '\n'};
constexpr uint32_t kByteOrder = 0x01020304;  // written as this machine orders it
constexpr const char* kFirstPicturesName = "first-pictures";
constexpr const char* kFirstPicturesHeader = "orvane first pictures 1";
constexpr size_t kLongestName = 4096;
constexpr size_t kMostFirstPictures = 256;
constexpr size_t kLargestList = 256 * 1024;

// A name the list of first pictures holds: absolute, of one line, within kLongestName.
bool listable(std::string_view name) {
    return !name.empty() && name.front() == '/' && name.size() <= kLongestName &&
           name.find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos;
}

// What an entry records of the file it was made from.
struct Identity {
    uint64_t size = 0;
    int64_t seconds = 0;
    int64_t nanoseconds = 0;
    uint64_t inode = 0;
    uint64_t device = 0;
    friend bool operator==(const Identity&, const Identity&) = default;
};

// The fixed part of an entry, before the file's name and the pixels.
struct Fixed {
    char magic[8];
    uint32_t order;
    uint32_t width;
    uint32_t height;
    uint32_t nameLength;
    Identity source;
};
static_assert(sizeof(Fixed) == 8 + 4 * 4 + 5 * 8);

std::optional<Identity> identityOf(const std::string& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return Identity{uint64_t(st.st_size), int64_t(st.st_mtim.tv_sec), int64_t(st.st_mtim.tv_nsec),
                    uint64_t(st.st_ino), uint64_t(st.st_dev)};
}

// The entry's header for file, or nothing when file cannot be kept.
std::optional<Fixed> fixedFor(const std::string& file, int32_t width, int32_t height) {
    if (file.empty() || file.size() > kLongestName || width <= 0 || height <= 0) return std::nullopt;
    const std::optional<Identity> id = identityOf(file);
    if (!id) return std::nullopt;
    Fixed f{};
    std::memcpy(f.magic, kMagic, sizeof kMagic);
    f.order = kByteOrder;
    f.width = uint32_t(width);
    f.height = uint32_t(height);
    f.nameLength = uint32_t(file.size());
    f.source = *id;
    return f;
}

// An entry's header, checked against the entry's length and against file as it is now; the
// pixels follow it.
std::optional<Fixed> checkedFixed(std::string_view entry, const std::string& file) {
    Fixed f{};
    if (entry.size() < sizeof f) return std::nullopt;
    std::memcpy(&f, entry.data(), sizeof f);
    if (std::memcmp(f.magic, kMagic, sizeof kMagic) != 0 || f.order != kByteOrder) return std::nullopt;
    if (f.width == 0 || f.height == 0 || f.nameLength != file.size()) return std::nullopt;
    if (entry.size() != sizeof f + f.nameLength + uint64_t(f.width) * f.height * 4) return std::nullopt;
    if (entry.substr(sizeof f, f.nameLength) != file) return std::nullopt;
    const std::optional<Identity> now = identityOf(file);
    if (!now || !(*now == f.source)) return std::nullopt;
    return f;
}

}  // namespace

PictureStore::PictureStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path PictureStore::entryPath(const std::string& file) const {
    // FNV-1a over the file's name; the entry repeats the name, so a collision only misses.
    uint64_t h = 0xcbf29ce484222325ull;
    for (const unsigned char c : file) h = (h ^ c) * 0x100000001b3ull;
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.pixels", static_cast<unsigned long long>(h));
    return folder_ / name;
}

std::optional<Image> PictureStore::read(const std::string& file) const {
    Result<std::string> entry = ReadFileBytes(entryPath(file));
    if (!entry) return std::nullopt;
    const std::optional<Fixed> f = checkedFixed(*entry, file);
    if (!f) return std::nullopt;
    std::vector<uint32_t> pixels(size_t(f->width) * f->height);
    std::memcpy(pixels.data(), entry->data() + sizeof *f + f->nameLength, pixels.size() * 4);
    return Image(int32_t(f->width), int32_t(f->height), std::move(pixels));
}

bool PictureStore::write(const std::string& file, const Image& img) const {
    const std::optional<Fixed> f = fixedFor(file, img.width(), img.height());
    const size_t pixelBytes = size_t(img.width()) * size_t(img.height()) * 4;
    // What the reader would refuse is not written.
    if (!f || sizeof *f + file.size() + pixelBytes > kMaxReadBytes) return false;
    std::string entry(reinterpret_cast<const char*>(&*f), sizeof *f);
    entry += file;
    entry.append(reinterpret_cast<const char*>(img.bits()), pixelBytes);
    return writeWhole(entryPath(file), entry);
}

bool PictureStore::writeWhole(const std::filesystem::path& target, std::string_view bytes) const {
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    // Pictures are the skin's, but which ones a user's window drew is the user's own business.
    if (!ec) std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ec);
    return !ec && WriteExportFile(target, bytes).ok();
}

std::vector<std::string> PictureStore::firstPictures() const {
    Result<std::string> bytes = ReadFileBytes(folder_ / kFirstPicturesName, kLargestList);
    if (!bytes) return {};
    std::vector<std::string> files;
    std::string_view rest(*bytes);
    bool first = true;
    while (!rest.empty() && files.size() < kMostFirstPictures) {
        const size_t end = rest.find('\n');
        if (end == std::string_view::npos) return {};  // a list is whole or not used
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        if (first) {
            if (line != kFirstPicturesHeader) return {};
            first = false;
        } else if (listable(line)) {
            files.emplace_back(line);
        }
    }
    return files;
}

bool PictureStore::writeFirstPictures(const std::vector<std::string>& files) const {
    std::string text = std::string(kFirstPicturesHeader) + "\n";
    size_t count = 0;
    for (const std::string& f : files) {
        if (!listable(f)) continue;  // only names the reader takes back
        if (++count > kMostFirstPictures || text.size() + f.size() + 1 > kLargestList) break;
        text += f;
        text += '\n';
    }
    return writeWhole(folder_ / kFirstPicturesName, text);
}

}  // namespace orvane::platform
