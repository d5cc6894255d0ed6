#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace testing_support {

class MemoryForm1;

// One thing a user does to the window: one key, one paste, one slider move or one click.
struct UserAction {
    enum class Kind { Type, Erase, Paste, Drag, Step, Click };

    Kind kind = Kind::Type;
    std::size_t slot = 0;     // box or slider; button index for Click
    std::size_t position = 0; // caret position for Type and Erase
    std::string text;         // one character for Type, any bytes for Paste
    int value = 0;            // slider value for Drag, step for Step

    [[nodiscard]] std::string describe() const;
};

// Draws user actions that fit the window's current state. Drag targets come from the values a
// thumb can land on, typed characters lean towards what makes numbers, pasted text is any
// bytes, not always UTF-8.
class UserActionSource {
public:
    UserActionSource(std::uint32_t seed, std::vector<int> dragTargets);
    UserAction next(const std::array<std::string, 17>& texts);

private:
    std::string someText(std::size_t maxLength, bool anyBytes);

    std::mt19937 random_;
    std::vector<int> dragTargets_;
};

// Reads a sequence of user actions from arbitrary bytes, for fuzzing.
std::vector<UserAction> decodeUserActions(std::span<const std::uint8_t> bytes);

void applyTo(MemoryForm1& form, const UserAction& action);

} // namespace testing_support
