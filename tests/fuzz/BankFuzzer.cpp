// Bytes read as a session of user actions on the window's handlers over in-memory controls:
// after every action each box is canonical, in range and in step with its slider, and no
// cascade nests past four handlers.
#include "app/Form1Handlers.h"
#include "editor/AmplitudeBank.h"
#include "forms/Conversions.h"
#include "forms/memory/MemoryButton.h"
#include "forms/memory/MemoryDisplay.h"
#include "forms/memory/MemoryScrollBar.h"
#include "forms/memory/MemoryTextBox.h"
#include "forms/memory/MemoryTimer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace {

struct MemoryForm1 {
    std::array<forms::MemoryTextBox, 17> harmonika;
    std::vector<forms::MemoryScrollBar> vscroll1{17, forms::MemoryScrollBar(-200, 200, 0)};
    std::array<forms::MemoryButton, 6> command1;
    forms::MemoryTimer timer1{100};
    forms::MemoryDisplay oscil{512, 256, forms::black};
    forms::NestingMeter nesting;
    bool pastedAsTheToneSays = true;
    std::optional<app::Form1Handlers> handlers;

    MemoryForm1() {
        app::Form1Controls controls{{}, {}, {}, &timer1, &oscil};
        for (std::size_t i = 0; i < 17; ++i) {
            harmonika[i].setText("0");
            harmonika[i].watchNesting(nesting);
            vscroll1[i].watchNesting(nesting);
            controls.harmonika[i] = &harmonika[i];
            controls.vscroll1[i] = &vscroll1[i];
            controls.command1[i % 6] = &command1[i % 6];
        }
        handlers.emplace(controls);
    }

    // Each box holds the canonical form of an amplitude within -200..200, its slider at the
    // amplitude's negation rounded half to even (as the default rounding mode does: an oracle
    // independent of the program).
    [[nodiscard]] bool settled() const {
        for (std::size_t i = 0; i < 17; ++i) {
            const double amplitude = forms::leadingNumber(harmonika[i].text());
            if (forms::doubleToText(amplitude) != harmonika[i].text() ||
                std::fabs(amplitude) > 200.0 || std::nearbyint(-amplitude) != vscroll1[i].value()) {
                return false;
            }
        }
        return true;
    }

    // One action from the front of the bytes: a key, a deletion, a paste, a thumb drag, a
    // step of a slider or a preset click.
    void act(std::span<const std::uint8_t>& bytes) {
        const auto take = [&bytes]() -> unsigned {
            const unsigned byte = bytes.empty() ? 0 : bytes.front();
            bytes = bytes.subspan(bytes.empty() ? 0 : 1);
            return byte;
        };
        const unsigned kind = take() % 6;
        const unsigned slot = take() % 17;
        const unsigned argument = take();
        if (kind == 0) {
            harmonika[slot].userInsert(argument % 24, std::string(1, char(take())));
        } else if (kind == 1) {
            harmonika[slot].userErase(argument % 24, 1);
        } else if (kind == 2) {
            const std::size_t length = std::min<std::size_t>(argument % 32, bytes.size());
            const std::string pasted(reinterpret_cast<const char*>(bytes.data()), length);
            const std::string before = harmonika[slot].text();
            harmonika[slot].userReplaceAll(pasted);
            bytes = bytes.subspan(length);
            // The tone decides an edit's texts before the boxes see them: as the box does.
            pastedAsTheToneSays = harmonika[slot].text() == editor::settledText(pasted, before);
        } else if (kind == 3) {
            vscroll1[slot].userMoveTo(-200 + int((argument * 256 + take()) % 401));
        } else if (kind == 4) {
            vscroll1[slot].userStep(std::array{-1, 1, -10, 10}[argument % 4]);
        } else {
            command1[slot % 6].click();
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
    for (int action = 1; bytes.size() >= 3; ++action) {
        form->act(bytes);
        if (!form->settled() || form->nesting.deepest > 4 || form->nesting.depth != 0 ||
            !form->pastedAsTheToneSays) {
            std::fprintf(stderr,
                         "unsettled, nested past four, or not as the tone settles, after action "
                         "%d\n",
                         action);
            std::abort(); // so that the fuzzer keeps the input
        }
    }
    return 0;
}
