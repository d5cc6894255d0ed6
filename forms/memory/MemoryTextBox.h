#pragma once

#include "NestingMeter.h"
#include "forms/TextBox.h"

#include <cstddef>
#include <string>

namespace forms {

// A text box without a window, for exercising the logic quickly. Text is kept as bytes.
class MemoryTextBox final : public TextBox {
public:
    // As a toolkit line edit, it keeps at most this many characters.
    static constexpr std::size_t maxLength = 32767;

    explicit MemoryTextBox(std::string text = {});

    [[nodiscard]] std::string text() const override { return text_; }
    void setText(std::string_view text) override;

    // What a user does: each runs the change handler when the text changes.
    void userReplaceAll(std::string_view text);
    void userInsert(std::size_t position, std::string_view text);
    void userErase(std::size_t position, std::size_t count);

    // Every change notification from now on is counted by the meter.
    void watchNesting(NestingMeter& meter) { meter_ = &meter; }

private:
    void change(std::string text);

    std::string text_;
    NestingMeter* meter_ = nullptr;
};

} // namespace forms
