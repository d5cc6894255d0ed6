#pragma once

#include <cstddef>
#include <string_view>

namespace forms {

// Where the caret belongs after the program rewrites the text the user is typing in: after
// the same text it followed if that is still the start, before the same text it preceded if
// that is still the end, otherwise at the end. Typing then goes on where the user was.
std::size_t caretAfterRewrite(std::u16string_view before, std::size_t caret,
                              std::u16string_view after);

} // namespace forms
