#pragma once

#include <array>
#include <string>

namespace testing_support {

// What holds for every slot whenever no handler is running: the box text is canonical, its
// value lies within -200..200, and the slider stands at its negation rounded half to even.
// Returns a description of the first slot that breaks a rule, or an empty string.
std::string bankInvariantFault(const std::array<std::string, 17>& texts,
                               const std::array<int, 17>& values);

} // namespace testing_support
