#include "device/hid/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <tuple>

namespace orvane::hid {
namespace {

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

enum MainTag : uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC
};

enum GlobalTag : uint8_t {
    kUsagePage = 0x0,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB,
};

enum LocalTag : uint8_t { kUsage = 0x0 };

constexpr uint8_t kLongItemPrefix = 0xFE;
// A report's byte count plus the ID byte must fit the 16-bit length the interface reports.
constexpr uint64_t kMaxReportBits = uint64_t{65534} * 8;
// Deeper nesting than this only comes from hostile or corrupt descriptors.
constexpr size_t kMaxStackDepth = 64;

struct Globals {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

enum class Kind { Input = 0, Output = 1, Feature = 2 };

class Parser {
public:
    explicit Parser(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    Status run(std::vector<CollectionReports>& out);
    bool numbered() const { return numbered_; }

private:
    Error fail(size_t offset, const std::string& what) const {
        return makeError(EINVAL, "report descriptor, byte " + std::to_string(offset) + ": " + what);
    }
    Status mainItem(uint8_t tag, size_t offset, std::vector<CollectionReports>& out);
    Status globalItem(uint8_t tag, uint32_t value, size_t offset);
    void closeTopLevel(std::vector<CollectionReports>& out);

    std::span<const uint8_t> bytes_;
    Globals globals_;
    std::vector<Globals> pushed_;
    uint32_t firstUsage_ = 0;
    bool haveUsage_ = false;
    bool numbered_ = false;
    size_t depth_ = 0;
    // Bits per (kind, report ID) inside the current top-level collection.
    std::map<std::tuple<int, uint8_t>, uint64_t> bits_;
};

uint32_t itemValue(std::span<const uint8_t> data) {
    uint32_t v = 0;
    for (size_t i = 0; i < data.size(); ++i) v |= uint32_t{data[i]} << (8 * i);
    return v;
}

Status Parser::globalItem(uint8_t tag, uint32_t value, size_t offset) {
    switch (tag) {
        case kUsagePage:
            globals_.usagePage = value;
            break;
        case kReportSize:
            globals_.reportSize = value;
            break;
        case kReportCount:
            globals_.reportCount = value;
            break;
        case kReportId:
            if (value == 0 || value > 0xFF)
                return fail(offset, "report ID " + std::to_string(value) + " out of range");
            globals_.reportId = static_cast<uint8_t>(value);
            numbered_ = true;
            break;
        case kPush:
            if (pushed_.size() >= kMaxStackDepth) return fail(offset, "Push nested too deeply");
            pushed_.push_back(globals_);
            break;
        case kPop:
            if (pushed_.empty()) return fail(offset, "Pop without Push");
            globals_ = pushed_.back();
            pushed_.pop_back();
            break;
        default:
            break;  // logical/physical ranges, units: they do not change lengths
    }
    return {};
}

void Parser::closeTopLevel(std::vector<CollectionReports>& out) {
    CollectionReports& c = out.back();
    std::array<uint64_t, 3> largest{};
    for (const auto& [key, bits] : bits_) {
        auto kind = static_cast<size_t>(std::get<0>(key));
        largest[kind] = std::max(largest[kind], bits);
    }
    auto length = [&](Kind k) -> uint16_t {
        uint64_t bits = largest[static_cast<size_t>(k)];
        // A collection with only zero-width items still declares a report of that kind.
        bool declared = std::any_of(bits_.begin(), bits_.end(), [&](const auto& e) {
            return std::get<0>(e.first) == static_cast<int>(k);
        });
        return declared ? static_cast<uint16_t>((bits + 7) / 8 + 1) : 0;
    };
    c.inputReportLength = length(Kind::Input);
    c.outputReportLength = length(Kind::Output);
    c.featureReportLength = length(Kind::Feature);
    bits_.clear();
}

Status Parser::mainItem(uint8_t tag, size_t offset, std::vector<CollectionReports>& out) {
    switch (tag) {
        case kCollection:
            if (depth_ >= kMaxStackDepth) return fail(offset, "collections nested too deeply");
            if (depth_ == 0) {
                CollectionReports c;
                c.usagePage = static_cast<uint16_t>(globals_.usagePage);
                // A 32-bit usage carries its own page in the high half.
                uint32_t usage = haveUsage_ ? firstUsage_ : 0;
                if (usage > 0xFFFF) {
                    c.usagePage = static_cast<uint16_t>(usage >> 16);
                    usage &= 0xFFFF;
                }
                c.usage = static_cast<uint16_t>(usage);
                out.push_back(c);
            }
            ++depth_;
            break;
        case kEndCollection:
            if (depth_ == 0) return fail(offset, "End Collection without Collection");
            if (--depth_ == 0) closeTopLevel(out);
            break;
        case kInput:
        case kOutput:
        case kFeature: {
            if (depth_ == 0) return fail(offset, "report item outside any collection");
            Kind kind = tag == kInput ? Kind::Input : tag == kOutput ? Kind::Output : Kind::Feature;
            uint64_t& bits = bits_[{static_cast<int>(kind), globals_.reportId}];
            bits += uint64_t{globals_.reportSize} * globals_.reportCount;
            if (bits > kMaxReportBits) return fail(offset, "report longer than 65534 bytes");
            break;
        }
        default:
            break;
    }
    haveUsage_ = false;  // local items end with every main item
    return {};
}

Status Parser::run(std::vector<CollectionReports>& out) {
    size_t pos = 0;
    while (pos < bytes_.size()) {
        const size_t start = pos;
        const uint8_t prefix = bytes_[pos++];
        if (prefix == kLongItemPrefix) {
            if (bytes_.size() - pos < 2) return fail(start, "truncated long item");
            const size_t size = bytes_[pos];
            pos += 2;
            if (bytes_.size() - pos < size) return fail(start, "truncated long item");
            pos += size;
            continue;
        }
        const size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (bytes_.size() - pos < size) return fail(start, "truncated item");
        const uint32_t value = itemValue(bytes_.subspan(pos, size));
        pos += size;
        const uint8_t type = (prefix >> 2) & 3;
        const uint8_t tag = prefix >> 4;
        Status s;
        if (type == kMain) {
            s = mainItem(tag, start, out);
        } else if (type == kGlobal) {
            s = globalItem(tag, value, start);
        } else if (type == kLocal && tag == kUsage && !haveUsage_) {
            // The first usage names the collection; a 4-byte usage carries its own page.
            firstUsage_ = value;
            haveUsage_ = true;
        }
        if (!s) return s.error();
    }
    if (depth_ != 0) return fail(bytes_.size(), "collection not closed");
    return {};
}

}  // namespace

Result<ReportDescriptor> ReportDescriptor::parse(std::span<const uint8_t> bytes) {
    ReportDescriptor d;
    Parser parser(bytes);
    if (auto s = parser.run(d.collections_); !s) return s.error();
    d.numbered_ = parser.numbered();
    return d;
}

}  // namespace orvane::hid
