#pragma once
// A named list of macros. Keys are held by pointer so that a MacroKey* handed to a menu or
// dialog stays valid while other keys are added or deleted.
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Text.h"
#include "profile/MacroKey.h"

namespace orvane {

class MacroSet {
public:
    MacroSet() = default;
    explicit MacroSet(Text name) : name_(std::move(name)) {}
    MacroSet(const MacroSet& other);  // deep copy
    MacroSet& operator=(const MacroSet& other);
    MacroSet(MacroSet&&) noexcept = default;
    MacroSet& operator=(MacroSet&&) noexcept = default;

    MacroKey& AddKey(Text name);
    // None when the index is not below the key count.
    [[nodiscard]] MacroKey* FindKey(uint32_t index);
    [[nodiscard]] const MacroKey* FindKey(uint32_t index) const;
    bool DeleteKey(uint32_t index);
    // Exact, case-sensitive comparison.
    [[nodiscard]] bool ContainsKey(const Text& name) const;
    [[nodiscard]] uint32_t KeyCount() const { return uint32_t(keys_.size()); }

    [[nodiscard]] const Text& GetName() const { return name_; }
    void SetName(Text name) { name_ = std::move(name); }

    bool operator==(const MacroSet& other) const;

private:
    Text name_;
    std::vector<std::unique_ptr<MacroKey>> keys_;
};

}  // namespace orvane
