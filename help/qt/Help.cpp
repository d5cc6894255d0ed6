#include "Help.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <utility>
#include <vector>

namespace help {
namespace {

using Rows = std::vector<std::pair<QString, QString>>;

QString table(const QString& title, const Rows& rows) {
    QString html =
        QStringLiteral("<h2>%1</h2><table cellpadding=\"4\">").arg(title.toHtmlEscaped());
    for (const auto& [key, what] : rows) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(key.toHtmlEscaped(), what.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

// Every item of the display's menu with its key.
Rows menuRows() {
    return {
        {Help::tr("Sound (Ctrl+P)"), Help::tr("Hear the sum; Pitch and Volume choose how.")},
        {Help::tr("Show harmonics (H)"),
         Help::tr("Draw each harmonic in its colour behind the sum.")},
        {Help::tr("Show target (T)"),
         Help::tr("Draw the preset's or your drawing's shape, and how close the "
                  "sum comes.")},
        {Help::tr("Sine phases only (S)"),
         Help::tr("Set every phase aside, so the sum is as the boxes alone "
                  "make it.")},
        {Help::tr("Undo, Redo (Ctrl+Z, Ctrl+Shift+Z)"),
         Help::tr("Step back and forward through edits.")},
        {Help::tr("Copy amplitudes, Paste amplitudes (Ctrl+Shift+C, Ctrl+Shift+V)"),
         Help::tr("The amplitudes as one line of text, the phases on a second, an envelope you "
                  "set on a third.")},
        {Help::tr("Save picture…, Export sound…, Export wavetable… (Ctrl+S, Ctrl+E, Ctrl+Shift+E)"),
         Help::tr("Save the display, five seconds of the sound, or one period for a synthesizer; "
                  "with a note taken apart, its frames (64 unless you ask for 2 to 256).")},
        {Help::tr("Export harmonics… (Ctrl+Shift+H)"),
         Help::tr("The harmonics of what Export wavetable… writes, a frame a row, as CSV.")},
        {Help::tr("Sound taken apart: Open sound… (Ctrl+O)"),
         Help::tr("Take a recorded note apart into its harmonics, open a single cycle or a "
                  "wavetable's frames, or play a MIDI file in the timbre.")},
        {Help::tr("Note over time (O)"),
         Help::tr("The note's harmonics from its attack to its end, in the "
                  "large view, with a cursor to load any moment.")},
        {Help::tr("Hear the recording, Hear the resynthesis, Hear what is left (R, E, X)"),
         Help::tr("The note as recorded, as rebuilt from its harmonics, and the rest: breath, bow, "
                  "hammer, noise.")},
        {Help::tr("Export tracks… (Ctrl+T)"), Help::tr("The note's harmonics over time as CSV.")},
        {Help::tr("Play (K)"),
         Help::tr("Play the timbre as notes: Z to / and Q to P are the keys, - and = "
                  "change the octave, Escape ends it; MIDI keyboards play too.")},
        {Help::tr("Listen (L)"), Help::tr("Take apart what the microphone hears, as it is heard.")},
        {Help::tr("Wave game (G)"),
         Help::tr("Match a hidden wave; Show answer (A), New wave (N), Level and "
                  "Hear the hidden wave (W) belong to it.")},
        {Help::tr("Large view (V)"),
         Help::tr("A window for a projector: the wave and a chart of the "
                  "harmonics to edit.")},
        {Help::tr("Envelope of played notes (Shift+E)"),
         Help::tr("How each note Play plays lives: attack, decay, sustain level, release, and "
                  "how much sooner the upper harmonics die. A recorded note, while the boxes "
                  "hold what it loaded, plays with its own life instead.")},
        {Help::tr("Keys and help (F1)"), Help::tr("This window.")},
        {Help::tr("About Tonvirta"), Help::tr("The version, and what Tonvirta is for.")},
    };
}

} // namespace

Help::Help(QWidget& window, QMenu& menu) : QObject(&window), window_(window) {
    menu.addSeparator();
    auto* help = new QAction(tr("Keys and help"), &window);
    help->setObjectName(QStringLiteral("helpAction"));
    help->setShortcut(QKeySequence::HelpContents);
    help->setShortcutContext(Qt::WindowShortcut);
    // The window's, so that it works in every part of it, and in the large view, which takes
    // the window's actions.
    window.addAction(help);
    menu.addAction(help);
    connect(help, &QAction::triggered, this, &Help::showHelp);
    auto* about = menu.addAction(tr("About Tonvirta"));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, &Help::showAbout);
}

QString Help::text() {
    const Rows window{
        {tr("Boxes"), tr("Type an amplitude from -200 to 200 for each of the 17 harmonics.")},
        {tr("Sliders"),
         tr("Up and Down, Page Up and Page Down, or the mouse: the same amplitude.")},
        {tr("MUTE … TRIANGLE"), tr("Load a waveform: silence, square, saws, sine, triangle.")},
        {tr("Tab"), tr("Moves through the display, the boxes, the buttons and the sliders.")},
        {tr("Menu key or Shift+F10"), tr("Opens the display's menu, as a right click does.")},
    };
    const Rows large{
        {tr("Tab"), tr("Moves from bar to bar.")},
        {tr("Up and Down, Page Up and Page Down"), tr("Set the bar's amplitude.")},
        {tr("Left and Right"), tr("Turn the bar's phase.")},
        {tr("Drag, scroll"), tr("Set an amplitude or a phase with the mouse.")},
        {tr("D"), tr("Amplitudes in decibels, or linear again.")},
        {tr("Time: Left and Right, Page Up and Page Down, Home and End, a click"),
         tr("Move the time cursor by a moment, by 100 ms (a wavetable's by a frame, by 8), to "
            "the note's ends, or to a point; the harmonics there load.")},
        {tr("Envelope: Tab, arrows, Page Up and Page Down, Home and End, a drag"),
         tr("Move to a handle and set it a step, three steps, or to its least or most; each "
            "change is an undo step.")},
        {tr("F11, Escape"), tr("Full screen, and back.")},
    };
    const QString intro = tr("Set the amplitudes of the first 17 harmonics and see and hear their "
                             "sum. Every key below works while the display has the focus, unless "
                             "it says otherwise.");
    return QStringLiteral("<h1>%1</h1><p>%2</p>")
               .arg(tr("Tonvirta: keys and help").toHtmlEscaped(), intro.toHtmlEscaped()) +
           table(tr("The window"), window) + table(tr("The display's menu"), menuRows()) +
           table(tr("The large view"), large);
}

void Help::showHelp() {
    if (helpWindow_ == nullptr) {
        helpWindow_ = new QWidget(&window_, Qt::Window);
        helpWindow_->setObjectName(QStringLiteral("helpWindow"));
        helpWindow_->setWindowTitle(tr("Tonvirta: keys and help"));
        // Read-only text with a caret, which a screen reader reads line by line.
        auto* browser = new QTextEdit(helpWindow_);
        browser->setReadOnly(true);
        browser->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        browser->setAccessibleName(tr("Keys and help"));
        browser->setHtml(text());
        auto* column = new QVBoxLayout(helpWindow_);
        column->addWidget(browser);
        helpWindow_->resize(640, 560);
        auto* close = new QAction(helpWindow_);
        close->setShortcut(Qt::Key_Escape);
        helpWindow_->addAction(close);
        connect(close, &QAction::triggered, helpWindow_, &QWidget::close);
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void Help::showAbout() {
    QMessageBox::about(
        &window_, tr("About Tonvirta"),
        tr("<h3>Tonvirta %1</h3><p>Additive synthesis, seen and heard: set the amplitudes and "
           "phases of the first 17 harmonics of a tone and watch and hear their sum, take "
           "recorded notes apart, and play the timbre from a keyboard.</p><p>Copyright 2026 The "
           "Tonvirta developers (Dorvila). All rights reserved.</p>")
            .arg(QCoreApplication::applicationVersion()));
}

} // namespace help
