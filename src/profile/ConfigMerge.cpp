#include "profile/ConfigMerge.h"

#include <tuple>

#include "profile/FieldCount.h"

namespace orvane {

namespace {

// The side that changed the part since base; ours when both did.
template <typename T>
void pick(T& merged, const T& base, const T& ours, const T& theirs) {
    merged = ours != base ? ours : theirs;
}

template <typename T, size_t N>
void pickEach(std::array<T, N>& merged, const std::array<T, N>& base, const std::array<T, N>& ours,
              const std::array<T, N>& theirs) {
    for (size_t i = 0; i < N; ++i) pick(merged[i], base[i], ours[i], theirs[i]);
}

// A part made of several fields: taken whole from one side.
template <typename... F>
void pickTogether(const Profile& base, const Profile& ours, Profile& merged, F Profile::*... fields) {
    const bool oursChanged = ((ours.*fields != base.*fields) || ...);
    if (oursChanged) ((merged.*fields = ours.*fields), ...);
}

// Sets and macros are matched by name and, for a name a library holds more than once (a file
// from elsewhere may), by its rank among the entries of that name: the second "Games" set of
// one side is the second "Games" set of the other.
template <typename Entry, typename Owner>
const Entry* findNamed(const Owner* owner, uint32_t count, const Entry* (Owner::*at)(uint32_t) const,
                       const Text& name, uint32_t rank) {
    if (!owner) return nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        const Entry* entry = (owner->*at)(i);
        if (entry->GetName() != name) continue;
        if (rank == 0) return entry;
        --rank;
    }
    return nullptr;
}

template <typename Entry, typename Owner>
uint32_t rankOf(const Owner& owner, const Entry* (Owner::*at)(uint32_t) const, uint32_t index) {
    uint32_t rank = 0;
    for (uint32_t i = 0; i < index; ++i)
        if ((owner.*at)(i)->GetName() == (owner.*at)(index)->GetName()) ++rank;
    return rank;
}

constexpr const MacroSet* (MacroLibrary::*kSetAt)(uint32_t) const = &MacroLibrary::FindSet;
constexpr const MacroKey* (MacroSet::*kKeyAt)(uint32_t) const = &MacroSet::FindKey;

const MacroSet* findSet(const MacroLibrary& library, const Text& name, uint32_t rank) {
    return findNamed(&library, library.SetCount(), kSetAt, name, rank);
}

const MacroKey* findKey(const MacroSet* set, const Text& name, uint32_t rank) {
    return findNamed(set, set ? set->KeyCount() : 0, kKeyAt, name, rank);
}

void addKey(MacroSet& set, const MacroKey& key) {
    set.AddKey(key.GetName()) = key;
}

// One set present on their side: their order, our additions and changes, our deletions of
// macros they left alone.
void mergeSet(MacroSet& out, const MacroSet* base, const MacroSet* ours, const MacroSet& theirs) {
    for (uint32_t i = 0; i < theirs.KeyCount(); ++i) {
        const MacroKey& t = *theirs.FindKey(i);
        const uint32_t rank = rankOf(theirs, kKeyAt, i);
        const MacroKey* o = findKey(ours, t.GetName(), rank);
        const MacroKey* b = findKey(base, t.GetName(), rank);
        if (!o && b && t == *b) continue;  // we deleted it, they did not touch it
        addKey(out, o && (!b || *o != *b) ? *o : t);
    }
    if (!ours) return;
    for (uint32_t i = 0; i < ours->KeyCount(); ++i) {
        const MacroKey& o = *ours->FindKey(i);
        const uint32_t rank = rankOf(*ours, kKeyAt, i);
        if (findKey(&theirs, o.GetName(), rank)) continue;
        const MacroKey* b = findKey(base, o.GetName(), rank);
        if (!b || o != *b) addKey(out, o);  // ours is new, or changed where they deleted it
    }
}

}  // namespace

// Every field of the record is named below: a new field must join the merge, or a change made
// by only one program could be lost.
inline constexpr size_t kMergedProfileFields = 24;
static_assert(FieldCount<Profile>() == kMergedProfileFields, "Profile's fields changed: update MergeProfile");

Profile MergeProfile(const Profile& base, const Profile& ours, const Profile& theirs) {
    if (ours == base) return theirs;
    if (theirs == base) return ours;
    Profile m = theirs;
    pickEach(m.pairs, base.pairs, ours.pairs, theirs.pairs);
    pickEach(m.keys, base.keys, ours.keys, theirs.keys);
    pickTogether(base, ours, m, &Profile::PollingRateName, &Profile::PollingRateValue);
    pickTogether(base, ours, m, &Profile::Lighting1OffOn, &Profile::Lighting1Name,
                 &Profile::Lighting1ModeValue, &Profile::Lighting1Speed, &Profile::Lighting1Brightness,
                 &Profile::Lighting1ColorSelected, &Profile::Lighting1FixedColor,
                 &Profile::Lighting1Direction);
    pickTogether(base, ours, m, &Profile::Lighting2OffOn, &Profile::Lighting2Name,
                 &Profile::Lighting2ModeValue, &Profile::Lighting2Speed, &Profile::Lighting2Brightness,
                 &Profile::Lighting2FixedColor);
    // The current level is counted among the enabled ones: both come from the same side.
    pickTogether(base, ours, m, &Profile::DPIOffOnFlagValue, &Profile::CurrentDPILevelValue);
    pickEach(m.XYSetting, base.XYSetting, ours.XYSetting, theirs.XYSetting);
    pickEach(m.DPILevelIndication, base.DPILevelIndication, ours.DPILevelIndication,
             theirs.DPILevelIndication);
    pick(m.AngleSnapValue, base.AngleSnapValue, ours.AngleSnapValue, theirs.AngleSnapValue);
    pick(m.LiftDetectionValue, base.LiftDetectionValue, ours.LiftDetectionValue, theirs.LiftDetectionValue);
    return m;
}

Settings MergeSettings(const Settings& base, const Settings& ours, const Settings& theirs) {
    if (ours == base) return theirs;
    if (theirs == base) return ours;
    Settings m = theirs;
    auto entry = [](const Settings& s, int n) { return std::make_tuple(s.GetEntry(n, 0), s.GetEntry(n, 1)); };
    auto take = [&](int n) {
        m.SetKey(n, ours.GetEntry(n, 0));
        m.SetValue(n, ours.GetEntry(n, 1));
    };
    // The profile bar's count and order form one permutation.
    const int barFirst = int(SettingKey::ProfileShowCount), barLast = int(SettingKey::ProfileShowList4);
    bool barChanged = false;
    for (int n = barFirst; n <= barLast; ++n) barChanged = barChanged || entry(ours, n) != entry(base, n);
    for (int n = 0; n < kSettingCount; ++n) {
        const bool inBar = n >= barFirst && n <= barLast;
        if (inBar ? barChanged : entry(ours, n) != entry(base, n)) take(n);
    }
    // The later entries by key: a value we changed (or added) wins, theirs stay otherwise.
    for (const auto& [key, value] : ours.Extras()) {
        const Text* before = base.GetExtra(key);
        if (!before || *before != value) (void)m.SetExtra(key, value);
    }
    return m;
}

MacroLibrary MergeLibrary(const MacroLibrary& base, const MacroLibrary& ours, const MacroLibrary& theirs) {
    if (ours == base) return theirs;
    if (theirs == base) return ours;
    MacroLibrary m;
    for (uint32_t i = 0; i < theirs.SetCount(); ++i) {
        const MacroSet& t = *theirs.FindSet(i);
        const uint32_t rank = rankOf(theirs, kSetAt, i);
        const MacroSet* o = findSet(ours, t.GetName(), rank);
        const MacroSet* b = findSet(base, t.GetName(), rank);
        if (!o && b && t == *b) continue;  // a set we deleted and they left alone
        MacroSet& out = m.AddSet(t.GetName());
        mergeSet(out, b, o, t);
    }
    for (uint32_t i = 0; i < ours.SetCount(); ++i) {
        const MacroSet& o = *ours.FindSet(i);
        const uint32_t rank = rankOf(ours, kSetAt, i);
        if (findSet(theirs, o.GetName(), rank)) continue;
        const MacroSet* b = findSet(base, o.GetName(), rank);
        if (b && o == *b) continue;  // they deleted a set we did not change
        MacroSet& out = m.AddSet(o.GetName());
        for (uint32_t k = 0; k < o.KeyCount(); ++k) addKey(out, *o.FindKey(k));
    }
    return m;
}

}  // namespace orvane
