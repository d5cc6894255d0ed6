#include "MemoryForm1.h"

namespace testing_support {
namespace {

template <std::size_t... I>
std::array<forms::MemoryTextBox, 17> zeroBoxes(std::index_sequence<I...>) {
    return {((void)I, forms::MemoryTextBox("0"))...};
}
template <std::size_t... I>
std::array<forms::MemoryScrollBar, 17> centredSliders(std::index_sequence<I...>) {
    return {((void)I, forms::MemoryScrollBar(-200, 200, 0))...};
}

} // namespace

MemoryForm1::MemoryForm1()
    : harmonika(zeroBoxes(std::make_index_sequence<17>())),
      vscroll1(centredSliders(std::make_index_sequence<17>())) {
    for (std::size_t i = 0; i < 17; ++i) {
        harmonika[i].watchNesting(nesting);
        vscroll1[i].watchNesting(nesting);
    }
    handlers_.emplace(controls());
}

app::Form1Controls MemoryForm1::controls() {
    app::Form1Controls controls;
    for (std::size_t i = 0; i < 17; ++i) {
        controls.harmonika[i] = &harmonika[i];
        controls.vscroll1[i] = &vscroll1[i];
    }
    for (std::size_t n = 0; n < 6; ++n) {
        controls.command1[n] = &command1[n];
    }
    controls.timer1 = &timer1;
    controls.oscil = &oscil;
    return controls;
}

std::array<std::string, 17> MemoryForm1::texts() const {
    std::array<std::string, 17> result;
    for (std::size_t i = 0; i < 17; ++i) {
        result[i] = harmonika[i].text();
    }
    return result;
}

std::array<int, 17> MemoryForm1::values() const {
    std::array<int, 17> result{};
    for (std::size_t i = 0; i < 17; ++i) {
        result[i] = vscroll1[i].value();
    }
    return result;
}

} // namespace testing_support
