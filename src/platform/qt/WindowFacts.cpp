#include "platform/qt/WindowFacts.h"

#include <unistd.h>

#include <climits>

namespace orvane::platform::qt {

std::string executableOfProcess(const std::string& procRoot, uint32_t pid) {
    if (pid == 0) return {};
    const std::string link = procRoot + "/" + std::to_string(pid) + "/exe";
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer);
    if (n <= 0 || size_t(n) >= sizeof buffer) return {};
    std::string path(buffer, size_t(n));
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.size() > kDeleted.size() && path.ends_with(kDeleted)) path.resize(path.size() - kDeleted.size());
    return path;
}

std::string classFromWmClass(std::string_view value) {
    const size_t end = value.find('\0');
    const std::string_view instance = value.substr(0, end);
    if (end == std::string_view::npos) return std::string(instance);
    std::string_view rest = value.substr(end + 1);
    rest = rest.substr(0, rest.find('\0'));
    return std::string(rest.empty() ? instance : rest);
}

ProgramIdentity identityOf(const std::string& executable, const std::string& windowClass) {
    ProgramIdentity id;
    id.executable = fromUtf8(executable);
    id.windowClass = fromUtf8(windowClass);
    const size_t slash = executable.rfind('/');
    const std::string file = slash == std::string::npos ? executable : executable.substr(slash + 1);
    id.name = file.empty() ? id.windowClass : fromUtf8(file);
    return id;
}

bool sameProgram(const ProgramIdentity& a, const ProgramIdentity& b) {
    return a.executable == b.executable && a.name == b.name && a.windowClass == b.windowClass;
}

std::vector<RunningProgram> onePerProgram(std::vector<RunningProgram> windows) {
    std::vector<RunningProgram> programs;
    for (RunningProgram& w : windows) {
        if (w.id.empty()) continue;
        RunningProgram* known = nullptr;
        for (RunningProgram& p : programs)
            if (sameProgram(p.id, w.id)) known = &p;
        if (!known) {
            programs.push_back(std::move(w));
            continue;
        }
        if (known->title.empty()) known->title = std::move(w.title);
        if (known->icon.isNull()) known->icon = std::move(w.icon);
    }
    return programs;
}

namespace {

// Larger pictures than this are not icons but garbage (or an attempt to make us allocate).
constexpr uint32_t kMaxIconSide = 1024;

uint32_t premultiplied(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 255) return argb;
    auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) | scale(argb & 0xFF);
}

}  // namespace

Image iconFromNetWmIcon(const uint32_t* values, size_t count, int32_t wanted) {
    size_t best = 0;
    uint32_t bestW = 0, bestH = 0;
    for (size_t at = 0; at + 2 <= count;) {
        const uint32_t w = values[at], h = values[at + 1];
        if (w == 0 || h == 0 || w > kMaxIconSide || h > kMaxIconSide) break;
        const size_t pixels = size_t(w) * h;
        if (pixels > count - at - 2) break;
        const bool fits = int64_t(w) >= wanted;
        const bool bestFits = bestW != 0 && int64_t(bestW) >= wanted;
        const bool better = bestW == 0 || (fits && (!bestFits || w < bestW)) || (!fits && !bestFits && w > bestW);
        if (better) {
            best = at;
            bestW = w;
            bestH = h;
        }
        at += 2 + pixels;
    }
    if (bestW == 0) return {};
    std::vector<uint32_t> pixels(size_t(bestW) * bestH);
    const uint32_t* from = values + best + 2;
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = premultiplied(from[i]);
    return Image(int32_t(bestW), int32_t(bestH), std::move(pixels));
}

bool statesSayActivated(const uint32_t* states, size_t count) {
    constexpr uint32_t kActivated = 2;
    for (size_t i = 0; i < count; ++i)
        if (states[i] == kActivated) return true;
    return false;
}

}  // namespace orvane::platform::qt
