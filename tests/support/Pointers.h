#pragma once

#include <array>
#include <cstddef>

namespace testing_support {

// A control array as the logic takes it: one pointer per control, in index order.
template <class Pointer, class Control, std::size_t N>
std::array<Pointer, N> pointersTo(std::array<Control, N>& controls) {
    std::array<Pointer, N> pointers{};
    for (std::size_t i = 0; i < N; ++i) {
        pointers[i] = &controls[i];
    }
    return pointers;
}

} // namespace testing_support
