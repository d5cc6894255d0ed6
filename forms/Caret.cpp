#include "Caret.h"

#include <algorithm>

namespace forms {

std::size_t caretAfterRewrite(std::u16string_view before, std::size_t caret,
                              std::u16string_view after) {
    caret = std::min(caret, before.size());
    if (after.starts_with(before.substr(0, caret))) {
        return caret;
    }
    const std::u16string_view following = before.substr(caret);
    if (after.ends_with(following)) {
        return after.size() - following.size();
    }
    return after.size();
}

} // namespace forms
