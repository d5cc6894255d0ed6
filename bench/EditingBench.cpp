// Edits on the real widgets (offscreen), with every cascade they set off.
#include "app/Form1.h"
#include "app/MainWindow.h"
#include "forms/Conversions.h"
#include "tests/support/QtUser.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

void printError(const forms::RuntimeError& error) {
    std::fprintf(stderr, "%s\n", forms::reportText(error).c_str());
}

// One key typed into a box: the box settles and its slider follows.
void BM_BoxEdit(benchmark::State& state) {
    app::Form1 window(printError);
    window.show();
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("harmonika_3"));
    box->setFocus();
    box->setText(QStringLiteral("1"));
    bool typed = false;
    for (auto _ : state) {
        box->setCursorPosition(box->text().size());
        QTest::keyClick(box, (typed = !typed) ? Qt::Key_5 : Qt::Key_Backspace);
    }
    if (box->text() != QStringLiteral("1") && box->text() != QStringLiteral("15")) {
        state.SkipWithError("the box did not settle as expected");
    }
}
BENCHMARK(BM_BoxEdit);

// One preset click: 17 boxes cleared, the row loaded, every slider following.
void BM_PresetClick(benchmark::State& state) {
    app::Form1 window(printError);
    window.show();
    auto* square = window.findChild<QPushButton*>(QStringLiteral("Command1_1"));
    auto* sawLeft = window.findChild<QPushButton*>(QStringLiteral("Command1_3"));
    bool flip = false;
    for (auto _ : state) {
        ((flip = !flip) ? square : sawLeft)->click();
    }
}
BENCHMARK(BM_PresetClick);

// A megabyte pasted over a box, alternately digits and letters: it settles on "200" or "0".
void BM_PasteMegabyte(benchmark::State& state) {
    app::Form1 window(printError);
    window.show();
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("harmonika_8"));
    const QString digits(1 << 20, QChar('9'));
    const QString letters(1 << 20, QChar('x'));
    bool flip = false;
    for (auto _ : state) {
        qt_user::pasteOver(*box, (flip = !flip) ? digits : letters);
    }
    if (box->text() != QStringLiteral("200") && box->text() != QStringLiteral("0")) {
        state.SkipWithError("the box did not settle as expected");
    }
}
BENCHMARK(BM_PasteMegabyte)->Unit(benchmark::kMillisecond);

// "Paste amplitudes" with a megabyte on the clipboard, alternately numbers (the first 17 are
// taken) and numbers with a word at the end (refused, after reading it all).
void BM_PasteAmplitudesMegabyte(benchmark::State& state) {
    app::Program program(printError, nullptr);
    app::Form1& window = program.window();
    window.show();
    QAction* paste = nullptr;
    for (QAction* action : window.actions()) {
        paste = action->text() == QStringLiteral("Paste amplitudes") ? action : paste;
    }
    const QString numbers = QStringLiteral("12 ").repeated((1 << 20) / 3);
    const QString spoilt = numbers + QStringLiteral("x");
    bool flip = false;
    if (paste == nullptr) {
        state.SkipWithError("no Paste amplitudes item");
        return;
    }
    for (auto _ : state) {
        QApplication::clipboard()->setText((flip = !flip) ? numbers : spoilt);
        paste->trigger();
    }
    if (window.findChild<QLineEdit*>(QStringLiteral("harmonika_16"))->text() != "12") {
        state.SkipWithError("the amplitudes were not pasted");
    }
}
BENCHMARK(BM_PasteAmplitudesMegabyte)->Unit(benchmark::kMillisecond);

// The parse itself over a whole megabyte, beyond what a box would keep.
void BM_ParseMegabyte(benchmark::State& state) {
    const std::string digits(1 << 20, '7');
    for (auto _ : state) {
        benchmark::DoNotOptimize(forms::leadingNumber(digits));
    }
}
BENCHMARK(BM_ParseMegabyte)->Unit(benchmark::kMillisecond);

} // namespace
