#pragma once
// The user's macros, grouped into named sets in insertion order. Only the first set is offered
// to the buttons. Sets are held by pointer so that addresses stay stable while the list changes.
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Text.h"
#include "profile/MacroSet.h"

namespace orvane {

class MacroLibrary {
public:
    MacroLibrary() = default;
    MacroLibrary(const MacroLibrary& other);  // deep copy: the macro manager edits its own
    MacroLibrary& operator=(const MacroLibrary& other);
    MacroLibrary(MacroLibrary&&) noexcept = default;
    MacroLibrary& operator=(MacroLibrary&&) noexcept = default;

    MacroSet& AddSet(Text name);
    // None when the index is not below the set count.
    [[nodiscard]] MacroSet* FindSet(uint32_t index);
    [[nodiscard]] const MacroSet* FindSet(uint32_t index) const;
    void ClearLibrary() { sets_.clear(); }
    [[nodiscard]] uint32_t SetCount() const { return uint32_t(sets_.size()); }

    bool operator==(const MacroLibrary& other) const;

private:
    std::vector<std::unique_ptr<MacroSet>> sets_;
};

}  // namespace orvane
