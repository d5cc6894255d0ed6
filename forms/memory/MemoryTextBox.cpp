#include "MemoryTextBox.h"

#include <algorithm>
#include <utility>

namespace forms {

MemoryTextBox::MemoryTextBox(std::string text) : text_(std::move(text)) {}

void MemoryTextBox::setText(std::string_view text) {
    change(std::string(text));
}

void MemoryTextBox::userReplaceAll(std::string_view text) {
    change(std::string(text));
}

void MemoryTextBox::userInsert(std::size_t position, std::string_view text) {
    std::string edited = text_;
    const std::size_t room = maxLength - std::min(maxLength, edited.size());
    edited.insert(std::min(position, edited.size()), text.substr(0, room));
    change(std::move(edited));
}

void MemoryTextBox::userErase(std::size_t position, std::size_t count) {
    if (position >= text_.size()) {
        return;
    }
    std::string edited = text_;
    edited.erase(position, count);
    change(std::move(edited));
}

void MemoryTextBox::change(std::string text) {
    if (text.size() > maxLength) {
        text.resize(maxLength);
    }
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    const NestingMeter::Level level(meter_);
    raiseChange();
}

} // namespace forms
