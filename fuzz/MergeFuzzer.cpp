// The three-way merge of two writers' profiles, settings and macro libraries, on a base and two
// sides made from the input by edits of whole parts. Whatever the edits:
//   - merging identical sides gives that side (and nothing changed gives the base);
//   - a change made on one side only is the merge's result;
//   - when the two sides changed different parts, the merge holds every change of both;
//   - merging the merge again with the same other side changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "profile/ConfigMerge.h"

namespace {

using namespace orvane;

Text shortText(FuzzedDataProvider& in) {
    // A small alphabet, so that the sides often meet on the same names and values.
    Text t;
    const size_t length = in.ConsumeIntegralInRange<size_t>(0, 2);
    for (size_t i = 0; i < length; ++i) t.push_back(char16_t(u'a' + in.ConsumeIntegralInRange<int>(0, 2)));
    return t;
}

// ---- Profiles: one edit rewrites one part, as the merge divides the record.
constexpr int kPairParts = kProfilePairCount;
constexpr int kKeyParts = kPairParts + kKeyCount;
constexpr int kPolling = kKeyParts, kLighting1 = kPolling + 1, kLighting2 = kPolling + 2, kDpiFlags = kPolling + 3;
constexpr int kXy = kDpiFlags + 1, kIndication = kXy + kDpiLevelCount;
constexpr int kAngleSnap = kIndication + kDpiLevelCount, kLiftDetection = kAngleSnap + 1;
constexpr int kProfileParts = kLiftDetection + 1;

struct Edit {
    int part;
    uint32_t value;
    Text text;
};

void applyProfileEdit(Profile& p, const Edit& e) {
    const uint8_t byte = uint8_t(e.value), second = uint8_t(e.value >> 8);
    const size_t i = e.value % kLightingEffectCount;
    if (e.part < kPairParts) {
        p.pairs[size_t(e.part)].value = e.text;
    } else if (e.part < kKeyParts) {
        KeyAssignment& key = p.keys[size_t(e.part - kPairParts)];
        key.KeyName = e.text;
        key.KeyValue = {byte, second, 0};
        if (!key.KeyMacro.InsertAction(0, e.value)) std::abort();
    } else if (e.part == kPolling) {
        p.PollingRateValue = {uint8_t(byte % 4), 0, 0};
        p.PollingRateName = e.text;
    } else if (e.part == kLighting1) {
        p.Lighting1Speed[i] = byte;
        p.Lighting1Brightness[i] = second;
        p.Lighting1FixedColor[i][second % 10] = e.value;
        p.Lighting1Name = e.text;
    } else if (e.part == kLighting2) {
        p.Lighting2Brightness = byte;
        p.Lighting2FixedColor = e.value;
    } else if (e.part == kDpiFlags) {
        p.DPIOffOnFlagValue = byte;
        p.CurrentDPILevelValue = second % 4;
    } else if (e.part < kIndication) {
        p.XYSetting[size_t(e.part - kXy)] = uint16_t(e.value);
    } else if (e.part < kAngleSnap) {
        p.DPILevelIndication[size_t(e.part - kIndication)] = e.value;
    } else if (e.part == kAngleSnap) {
        p.AngleSnapValue = byte;
    } else {
        p.LiftDetectionValue = byte;
    }
}

// ---- Settings: the 17 entries (the profile bar's seven as one part) and the later entries by key.
constexpr int kBarFirst = int(SettingKey::ProfileShowCount), kBarLast = int(SettingKey::ProfileShowList4);
constexpr int kExtraKeys = 3;
constexpr int kSettingsParts = kSettingCount + kExtraKeys;

int settingsPart(int part) { return part >= kBarFirst && part <= kBarLast ? kBarFirst : part; }

void applySettingsEdit(Settings& s, const Edit& e) {
    if (e.part < kSettingCount) {
        s.SetValue(e.part, e.text);
        if (settingsPart(e.part) == kBarFirst) s.SetValue(kBarLast - int(e.value % 6), e.text);
    } else {
        const char16_t key[] = {u'X', char16_t(u'0' + (e.part - kSettingCount)), 0};
        (void)s.SetExtra(key, e.text);
    }
}

// ---- Libraries: described as plain lists, then built.
struct KeyDesc {
    Text name;
    uint32_t action;
};
struct SetDesc {
    Text name;
    std::vector<KeyDesc> keys;
};
using LibraryDesc = std::vector<SetDesc>;

MacroLibrary build(const LibraryDesc& desc) {
    MacroLibrary library;
    for (const SetDesc& s : desc) {
        MacroSet& set = library.AddSet(s.name);
        for (const KeyDesc& k : s.keys)
            if (!set.AddKey(k.name).InsertAction(0, k.action)) std::abort();
    }
    return library;
}

// With `unique`, every new name carries a number of its own, as the macro manager keeps names
// unique within their set and sets unique within the library (the merge matches them by name);
// without, names repeat as an imported file may have them.
Text newName(FuzzedDataProvider& in, int* unique) {
    Text name = shortText(in);
    if (unique) name += fromUtf8(std::to_string((*unique)++));
    return name;
}

void editLibrary(FuzzedDataProvider& in, LibraryDesc& d, int* unique) {
    const int edits = in.ConsumeIntegralInRange<int>(0, 4);
    for (int n = 0; n < edits; ++n) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 4);
        const size_t s = d.empty() ? 0 : in.ConsumeIntegralInRange<size_t>(0, d.size() - 1);
        if (kind == 0 || d.empty()) {
            d.push_back({newName(in, unique), {}});
        } else if (kind == 1) {
            d.erase(d.begin() + long(s));
        } else if (kind == 2) {
            d[s].keys.push_back({newName(in, unique), in.ConsumeIntegral<uint32_t>()});
        } else if (!d[s].keys.empty()) {
            const size_t k = in.ConsumeIntegralInRange<size_t>(0, d[s].keys.size() - 1);
            if (kind == 3)
                d[s].keys.erase(d[s].keys.begin() + long(k));
            else
                d[s].keys[k].action = in.ConsumeIntegral<uint32_t>();
        }
    }
}

// With `twice` false the last property is left out: where a library holds a name more than
// once, which of the equal entries a side deleted cannot be told, so a second merge may differ.
template <typename T, typename Merge>
void checkProperties(const T& base, const T& ours, const T& theirs, Merge merge, bool twice = true) {
    if (!(merge(base, base, base) == base)) std::abort();
    if (!(merge(base, ours, ours) == ours)) std::abort();
    if (!(merge(base, ours, base) == ours)) std::abort();
    if (!(merge(base, base, theirs) == theirs)) std::abort();
    const T merged = merge(base, ours, theirs);
    if (twice && !(merge(base, merged, theirs) == merged)) std::abort();
}

std::vector<Edit> edits(FuzzedDataProvider& in, int parts) {
    std::vector<Edit> list(in.ConsumeIntegralInRange<size_t>(0, 6));
    for (Edit& e : list) {
        e.part = in.ConsumeIntegralInRange<int>(0, parts - 1);
        e.value = in.ConsumeIntegral<uint32_t>();
        e.text = shortText(in);
    }
    return list;
}

// Ours and theirs from the same base by edits; with `apart`, theirs keeps off ours' parts.
template <typename T, typename Apply, typename PartOf>
void checkEdits(FuzzedDataProvider& in, const T& base, int parts, Apply apply, PartOf partOf, bool apart,
                T (*merge)(const T&, const T&, const T&)) {
    const std::vector<Edit> ourEdits = edits(in, parts);
    std::vector<Edit> theirEdits = edits(in, parts);
    if (apart) {
        std::erase_if(theirEdits, [&](const Edit& t) {
            for (const Edit& o : ourEdits)
                if (partOf(o.part) == partOf(t.part)) return true;
            return false;
        });
    }
    T ours = base, theirs = base;
    for (const Edit& e : ourEdits) apply(ours, e);
    for (const Edit& e : theirEdits) apply(theirs, e);
    checkProperties(base, ours, theirs, merge);
    if (!apart) return;
    T both = theirs;
    for (const Edit& e : ourEdits) apply(both, e);
    if (!(merge(base, ours, theirs) == both)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int what = in.ConsumeIntegralInRange<int>(0, 2);
    const bool apart = in.ConsumeBool();
    if (what == 0) {
        Profile base;
        for (const Edit& e : edits(in, kProfileParts)) applyProfileEdit(base, e);
        checkEdits(in, base, kProfileParts, applyProfileEdit, [](int part) { return part; }, apart, MergeProfile);
    } else if (what == 1) {
        Settings base;
        base.ResetToDefaults("/app");
        for (const Edit& e : edits(in, kSettingsParts)) applySettingsEdit(base, e);
        checkEdits(in, base, kSettingsParts, applySettingsEdit, settingsPart, apart, MergeSettings);
    } else {
        int counter = 0;
        int* unique = in.ConsumeBool() ? &counter : nullptr;
        LibraryDesc base;
        editLibrary(in, base, unique);
        LibraryDesc ours = base, theirs = base;
        editLibrary(in, ours, unique);
        editLibrary(in, theirs, unique);
        checkProperties(build(base), build(ours), build(theirs), MergeLibrary, unique != nullptr);
    }
    return 0;
}
