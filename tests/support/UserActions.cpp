#include "UserActions.h"

#include "MemoryForm1.h"

namespace testing_support {
namespace {

constexpr std::string_view numberish = "0123456789012345678901234567890.-+eE ";
constexpr std::array<int, 4> steps{-1, 1, -10, 10};

} // namespace

std::string UserAction::describe() const {
    const char* names[] = {"type", "erase", "paste", "drag", "step", "click"};
    return std::string(names[static_cast<int>(kind)]) + " slot " + std::to_string(slot) + " at " +
           std::to_string(position) + " value " + std::to_string(value) + " text \"" + text + "\"";
}

UserActionSource::UserActionSource(std::uint32_t seed, std::vector<int> dragTargets)
    : random_(seed), dragTargets_(std::move(dragTargets)) {}

std::string UserActionSource::someText(std::size_t maxLength, bool anyBytes) {
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> pick(0, numberish.size() - 1);
    std::bernoulli_distribution wild(anyBytes ? 0.3 : 0.1);
    std::string text(length(random_), ' ');
    for (char& c : text) {
        c = wild(random_) ? static_cast<char>(anyBytes ? byte(random_) : 'a' + byte(random_) % 26)
                          : numberish[pick(random_)];
    }
    return text;
}

UserAction UserActionSource::next(const std::array<std::string, 17>& texts) {
    std::uniform_int_distribution<std::size_t> slot(0, 16);
    std::uniform_int_distribution<int> kind(0, 99);
    UserAction action;
    action.slot = slot(random_);
    const std::size_t length = texts[action.slot].size();
    const int roll = kind(random_);
    if (roll < 40) {
        action.kind = UserAction::Kind::Type;
        action.position = std::uniform_int_distribution<std::size_t>(0, length)(random_);
        action.text = someText(1, false);
        action.text.resize(1, '0');
    } else if (roll < 55) {
        action.kind = UserAction::Kind::Erase;
        action.position = std::uniform_int_distribution<std::size_t>(0, length)(random_);
    } else if (roll < 70) {
        action.kind = UserAction::Kind::Paste;
        action.text = someText(12, true);
    } else if (roll < 82) {
        action.kind = UserAction::Kind::Drag;
        action.value = dragTargets_[std::uniform_int_distribution<std::size_t>(
            0, dragTargets_.size() - 1)(random_)];
    } else if (roll < 96) {
        action.kind = UserAction::Kind::Step;
        action.value =
            steps[std::uniform_int_distribution<std::size_t>(0, steps.size() - 1)(random_)];
    } else {
        action.kind = UserAction::Kind::Click;
        action.slot = std::uniform_int_distribution<std::size_t>(0, 5)(random_);
    }
    return action;
}

std::vector<UserAction> decodeUserActions(std::span<const std::uint8_t> bytes) {
    std::vector<UserAction> actions;
    std::size_t at = 0;
    const auto take = [&]() -> std::uint8_t { return at < bytes.size() ? bytes[at++] : 0; };
    while (at + 3 <= bytes.size()) {
        UserAction action;
        const std::uint8_t head = take();
        action.kind = static_cast<UserAction::Kind>(head % 6);
        action.slot = take() % (action.kind == UserAction::Kind::Click ? 6 : 17);
        const std::uint8_t argument = take();
        switch (action.kind) {
        case UserAction::Kind::Type:
            action.position = argument % 24;
            action.text.assign(1, static_cast<char>(take()));
            break;
        case UserAction::Kind::Paste: {
            const std::size_t length = std::min<std::size_t>(argument % 32, bytes.size() - at);
            action.text.assign(reinterpret_cast<const char*>(bytes.data() + at), length);
            at += length;
            break;
        }
        case UserAction::Kind::Erase:
            action.position = argument % 24;
            break;
        case UserAction::Kind::Drag:
            action.value = -200 + (argument * 256 + take()) % 401;
            break;
        case UserAction::Kind::Step:
            action.value = steps[argument % steps.size()];
            break;
        case UserAction::Kind::Click:
            break;
        }
        actions.push_back(std::move(action));
    }
    return actions;
}

void applyTo(MemoryForm1& form, const UserAction& action) {
    switch (action.kind) {
    case UserAction::Kind::Type:
        form.harmonika[action.slot].userInsert(action.position, action.text);
        break;
    case UserAction::Kind::Erase:
        form.harmonika[action.slot].userErase(action.position, 1);
        break;
    case UserAction::Kind::Paste:
        form.harmonika[action.slot].userReplaceAll(action.text);
        break;
    case UserAction::Kind::Drag:
        form.vscroll1[action.slot].userMoveTo(action.value);
        break;
    case UserAction::Kind::Step:
        form.vscroll1[action.slot].userStep(action.value);
        break;
    case UserAction::Kind::Click:
        form.command1[action.slot].click();
        break;
    }
}

} // namespace testing_support
