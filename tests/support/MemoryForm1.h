#pragma once

#include "app/Form1Handlers.h"
#include "forms/memory/MemoryButton.h"
#include "forms/memory/MemoryDisplay.h"
#include "forms/memory/MemoryScrollBar.h"
#include "forms/memory/MemoryTextBox.h"
#include "forms/memory/MemoryTimer.h"

#include <array>
#include <optional>
#include <string>

namespace testing_support {

// The program's window without a window system: the same handlers on in-memory controls,
// with the same initial values.
class MemoryForm1 {
public:
    MemoryForm1();
    MemoryForm1(const MemoryForm1&) = delete;
    MemoryForm1& operator=(const MemoryForm1&) = delete;

    std::array<forms::MemoryTextBox, 17> harmonika;
    std::array<forms::MemoryScrollBar, 17> vscroll1;
    std::array<forms::MemoryButton, 6> command1;
    forms::MemoryTimer timer1{100};
    forms::MemoryDisplay oscil{512, 256, forms::black};
    // How deeply the change handlers of the boxes and sliders have nested.
    forms::NestingMeter nesting;

    [[nodiscard]] app::Form1Controls controls();
    [[nodiscard]] std::array<std::string, 17> texts() const;
    [[nodiscard]] std::array<int, 17> values() const;

private:
    std::optional<app::Form1Handlers> handlers_;
};

} // namespace testing_support
