// Bytes read as a session of user actions on the window's handlers over in-memory controls:
// after every action each box is canonical, in range and in step with its slider, and no
// cascade nests past four handlers.
#include "FuzzCheck.h"
#include "app/Form1Handlers.h"
#include "forms/memory/MemoryButton.h"
#include "forms/memory/MemoryDisplay.h"
#include "forms/memory/MemoryScrollBar.h"
#include "forms/memory/MemoryTextBox.h"
#include "forms/memory/MemoryTimer.h"
#include "tests/support/BankInvariants.h"

#include <cstdint>
#include <optional>

namespace {

struct MemoryForm1 {
    std::array<forms::MemoryTextBox, 17> harmonika;
    std::vector<forms::MemoryScrollBar> vscroll1{17, forms::MemoryScrollBar(-200, 200, 0)};
    std::array<forms::MemoryButton, 6> command1;
    forms::MemoryTimer timer1{100};
    forms::MemoryDisplay oscil{512, 256, forms::black};
    forms::NestingMeter nesting;
    std::optional<app::Form1Handlers> handlers;

    MemoryForm1() {
        app::Form1Controls controls{{}, {}, {}, &timer1, &oscil};
        for (std::size_t i = 0; i < 17; ++i) {
            harmonika[i].setText("0");
            harmonika[i].watchNesting(nesting);
            vscroll1[i].watchNesting(nesting);
            controls.harmonika[i] = &harmonika[i];
            controls.vscroll1[i] = &vscroll1[i];
        }
        for (std::size_t n = 0; n < 6; ++n) {
            controls.command1[n] = &command1[n];
        }
        handlers.emplace(controls);
    }

    std::string fault() const {
        std::array<std::string, 17> texts;
        std::array<int, 17> values{};
        for (std::size_t i = 0; i < 17; ++i) {
            texts[i] = harmonika[i].text();
            values[i] = vscroll1[i].value();
        }
        return testing_support::bankInvariantFault(texts, values);
    }

    // One action from the front of the bytes: a key, a deletion, a paste, a thumb drag, a
    // step of a slider or a preset click. Returns what it did, for the report.
    std::string act(std::span<const std::uint8_t>& bytes) {
        const auto take = [&bytes]() -> unsigned {
            const unsigned byte = bytes.empty() ? 0 : bytes.front();
            bytes = bytes.empty() ? bytes : bytes.subspan(1);
            return byte;
        };
        const unsigned kind = take() % 6;
        const unsigned slot = take() % 17;
        const unsigned argument = take();
        switch (kind) {
        case 0:
            harmonika[slot].userInsert(argument % 24, std::string(1, char(take())));
            return "type into " + std::to_string(slot);
        case 1:
            harmonika[slot].userErase(argument % 24, 1);
            return "erase in " + std::to_string(slot);
        case 2: {
            const std::size_t length = std::min<std::size_t>(argument % 32, bytes.size());
            harmonika[slot].userReplaceAll({reinterpret_cast<const char*>(bytes.data()), length});
            bytes = bytes.subspan(length);
            return "paste over " + std::to_string(slot);
        }
        case 3:
            vscroll1[slot].userMoveTo(-200 + int((argument * 256 + take()) % 401));
            return "drag " + std::to_string(slot);
        case 4:
            vscroll1[slot].userStep(std::array{-1, 1, -10, 10}[argument % 4]);
            return "step " + std::to_string(slot);
        default:
            command1[slot % 6].click();
            return "click " + std::to_string(slot % 6);
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One window for the whole run, brought back to its start state for each input (building
    // one costs more than a whole session of actions).
    static auto* const form = new MemoryForm1;
    form->command1[0].click();
    form->nesting = {};
    std::span<const std::uint8_t> bytes(data, size);
    while (bytes.size() >= 3) {
        const std::string action = form->act(bytes);
        const std::string fault = form->fault();
        FUZZ_CHECK(fault.empty(), "%s after %s", fault.c_str(), action.c_str());
        FUZZ_CHECK(form->nesting.deepest <= 4, "nesting %d after %s", form->nesting.deepest,
                   action.c_str());
        FUZZ_CHECK(form->nesting.depth == 0, "a handler is still running");
    }
    return 0;
}
