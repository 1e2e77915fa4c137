#pragma once
// How many fields an aggregate has, counted by the compiler: the largest number of values it
// can be built from in braces. Tables that must name every field of a record (the merge of two
// programs' changes, say) check their length against this, so a new field cannot be forgotten,
// whatever the fields' sizes on this machine.
#include <cstddef>
#include <utility>

namespace orvane {

namespace field_count {

// Stands for a value of any field type. Converting to a reference keeps a class type's own
// constructors out of the choice, so nothing is ambiguous. Never defined: only asked about.
template <size_t>
struct AnyField {
    template <typename T>
    operator T&() const;
};

template <typename T, size_t... I>
constexpr bool BuiltFrom(std::index_sequence<I...>) {
    return requires { T{AnyField<I>{}...}; };
}

}  // namespace field_count

template <typename T, size_t N = 0>
constexpr size_t FieldCount() {
    if constexpr (field_count::BuiltFrom<T>(std::make_index_sequence<N + 1>{}))
        return FieldCount<T, N + 1>();
    else
        return N;
}

}  // namespace orvane
