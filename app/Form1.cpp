#include "Form1.h"

#include "Accessibility.h"
#include "DisplayItem.h"
#include "FileActions.h"
#include "Listening.h"
#include "Note.h"
#include "SoundOpening.h"
#include "accessible/qt/LineEditAccessible.h"
#include "forms/Conversions.h"
#include "help/qt/Help.h"
#include "keyboard/qt/PianoView.h"
#include "keyboard/qt/PlayMode.h"
#include "largeview/LargeView.h"

#include <QAction>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <random>
#include <utility>
#include <vector>

namespace app {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void place(QWidget& widget, layout::Rect twips) {
    const layout::Rect px = twips.inPixels();
    widget.setGeometry(px.left, px.top, px.width, px.height);
}

QString harmonicName(std::size_t index) {
    return Form1::tr("Harmonic %1 amplitude").arg(index + 1);
}

} // namespace

Form1::Form1(forms::ErrorBoundary::Reporter reporter, std::unique_ptr<audio::SoundOutput> sound,
             game::Random random, QWidget* parent)
    : QWidget(parent), boundary_(std::move(reporter)), soundOutput_(std::move(sound)) {
    describeToScreenReaders();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(layout::formCaption));
    const layout::Rect client = layout::formClientArea.inPixels();
    setFixedSize(client.width, client.height);
    createControls();
    chainTabOrder();
    createDisplayMenu();
    sound_ = new SoundControls(*this, *displayMenu_, soundOutput_.get(), [this] {
        const auto hidden = game_ != nullptr ? game_->heard() : std::nullopt;
        return hidden ? *hidden : tone_.heard();
    });
    views_ = new DisplayViews(*oscil_, *displayMenu_, tone_,
                              [this] { boundary_.run([this] { handlers_->redraw(); }); });
    description_ = new DisplayDescription(*oscil_, tone_.views(), [this] { return texts(); });
    connect(views_, &DisplayViews::shownChanged, description_,
            [this] { description_->setAimName(views_->aimName()); });
    Form1Controls controls = adaptControls();
    controls.views = &tone_.views();
    controls.phases = &tone_.heardPhases();
    controls.fitWording = &DisplayViews::fitWording;
    handlers_ = std::make_unique<Form1Handlers>(controls,
                                                Form1Hooks{[this] { tone_.boxesSettled(texts()); },
                                                           [this](int preset) {
                                                               tone_.setPhases({});
                                                               views_->presetClicked(preset);
                                                               description_->presetPressed();
                                                           }});
    tone_.setBoxes(
        {[this](std::size_t index, double amplitude) { writeAmplitude(index, amplitude); },
         [this](const editor::Texts& texts) {
             boundary_.run([this, &texts] { handlers_->restore(texts); });
         },
         [this](std::span<const std::string> texts) { load(texts); }});
    tone_.listen([this](model::Tone::Change change) { toneChanged(change); });
    createEditActions();
    // Last, so that its filter comes first and every other sees the focus once.
    for (QLineEdit* box : harmonika_) {
        accessible::keepFocusSelectionQuiet(*box);
    }
    createWaveGame(std::move(random));
    createLargeView();
    new help::Help(*this, *displayMenu_);
    connect(timer1_, &QTimer::timeout, description_, &DisplayDescription::refresh);
    description_->refresh();
    timer1_->start();
    // The window opens on the picture, not on an empty display for the first interval.
    timer_->tickSoon();
}

// The adapters go first: their handlers must not run while the widgets are torn down.
Form1::~Form1() {
    timer1_->stop();
    handlers_.reset();
    delete edits_; // while the tone it steps is here: its filters see the focus leave the boxes
}

void Form1::createControls() {
    oscil_ = new forms::PictureBox(
        QSize(layout::oscilRect.inPixels().width, layout::oscilRect.inPixels().height),
        forms::black, this);
    oscil_->setObjectName(QStringLiteral("oscil"));
    oscil_->setAccessibleName(tr("Waveform"));
    oscil_->setFocusPolicy(Qt::StrongFocus);
    place(*oscil_, layout::oscilRect);

    // Created before the sliders and boxes so that they are drawn in front of it.
    frame1_ = new QGroupBox(toQString(layout::frame1Caption), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    place(*frame1_, layout::frame1Rect);

    createSliders();
    createBoxes();
    createButtons();
    createLabel();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(layout::timer1IntervalMs);
}

void Form1::createSliders() {
    for (std::size_t i = 0; i < layout::slotCount; ++i) {
        auto* slider = new QScrollBar(Qt::Vertical, this);
        slider->setObjectName(QStringLiteral("VScroll1_%1").arg(i));
        slider->setAccessibleName(harmonicName(i));
        markAmplitudeSlider(*slider);
        // The minimum is at the top: -200 there means up is a larger amplitude.
        slider->setRange(layout::sliderMinimum, layout::sliderMaximum);
        slider->setValue(0);
        slider->setSingleStep(1);
        slider->setPageStep(10);
        // Scroll bars take no focus by default; these belong in the Tab chain and move with keys.
        slider->setFocusPolicy(Qt::StrongFocus);
        place(*slider, layout::vscroll1Rect(i));
        vscroll1_[i] = slider;
    }
}

void Form1::createBoxes() {
    for (std::size_t i = 0; i < layout::slotCount; ++i) {
        const bool framed = i >= layout::firstFramedBox;
        auto* box =
            new QLineEdit(QStringLiteral("0"), framed ? static_cast<QWidget*>(frame1_) : this);
        box->setObjectName(QStringLiteral("harmonika_%1").arg(i));
        box->setAccessibleName(harmonicName(i));
        place(*box, framed ? layout::harmonikaRectInFrame(i) : layout::harmonikaRect(i));
        harmonika_[i] = box;
    }
}

void Form1::createButtons() {
    for (std::size_t n = 0; n < layout::command1.size(); ++n) {
        const layout::ButtonDescription& description = layout::command1[n];
        auto* button = new QPushButton(toQString(description.caption), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(n));
        button->setToolTip(toQString(description.toolTip));
        button->setAutoDefault(false);
        place(*button, description.rect);
        command1_[n] = button;
    }
}

void Form1::createLabel() {
    label2_ = new QLabel(toQString(layout::label2Caption), this);
    label2_->setObjectName(QStringLiteral("Label2"));
    QFont font(toQString(layout::label2FontFamily));
    font.setPointSizeF(layout::label2FontPoints);
    font.setBold(true);
    label2_->setFont(font);
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(*label2_, layout::label2Rect);
}

// Everything beyond the window as designed is reached from here: a right click on the display,
// or the Menu key or Shift+F10 while it has the focus.
void Form1::createDisplayMenu() {
    displayMenu_ = new QMenu(oscil_);
    displayMenu_->setObjectName(QStringLiteral("displayMenu"));
    oscil_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(oscil_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        displayMenu_->popup(oscil_->mapToGlobal(at));
        // Opened by a key, it starts on its first item that can be chosen, which a screen
        // reader then speaks.
        const QList<QAction*> items = displayMenu_->actions();
        const auto first = std::find_if(items.begin(), items.end(),
                                        [](const QAction* item) { return item->isEnabled(); });
        if ((QGuiApplication::mouseButtons() & Qt::RightButton) == 0 && first != items.end()) {
            displayMenu_->setActiveAction(*first);
        }
    });
    // The desktop's other key for a context menu; Qt answers only the Menu key on its own.
    auto* openMenu = new QAction(oscil_);
    openMenu->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    openMenu->setShortcutContext(Qt::WidgetShortcut);
    oscil_->addAction(openMenu);
    connect(openMenu, &QAction::triggered, this,
            [this] { emit oscil_->customContextMenuRequested(QPoint(0, 0)); });
    oscil_->setToolTip(
        tr("Right-click here, or press the Menu key, for sound (Ctrl+P), pitch and volume"));
}

void Form1::load(std::span<const std::string> texts) {
    boundary_.run([this, texts] { handlers_->load(texts); });
}

void Form1::writeAmplitude(std::size_t index, double amplitude) {
    editor::Texts now = texts();
    now[index] = forms::doubleToText(amplitude);
    load(now);
}

// Everything that shows or sounds the tone, told of each change wherever it came from.
void Form1::toneChanged(model::Tone::Change change) {
    using Change = model::Tone::Change;
    if (change == Change::Views || change == Change::Steps) {
        return;
    }
    if (change == Change::Amplitudes) {
        views_->amplitudesChanged();
    }
    description_->changed();
    sound_->publishSoon();
    if (change == Change::Phases) {
        views_->phasesChanged();
        boundary_.run([this] { handlers_->redraw(); });
    }
}

void Form1::createEditActions() {
    note_ = new Note(*oscil_);
    connect(note_, &Note::shown, description_, &DisplayDescription::noteSaid);
    connect(views_, &DisplayViews::said, note_, &Note::say);
    edits_ = new EditActions(*this, *displayMenu_, harmonika_, tone_, *note_);
    auto* files =
        new FileActions(*this, *displayMenu_, *oscil_, [this] { return sound_->snapshot(); });
    connect(files, &FileActions::said, note_, &Note::say);
    soundOpening_ = new SoundOpening(*this, *displayMenu_, tone_);
    connect(soundOpening_, &SoundOpening::said, note_, &Note::say);
    connect(soundOpening_, &SoundOpening::takenApart, this,
            [this](const analysis::Harmonics& sound) {
                views_->aimAt(sound);
                sound_->choosePitchOfSound(sound.fundamentalHz);
            });
    play_ = new keyboard::PlayMode(*this, *oscil_, *displayMenu_, *sound_);
    connect(soundOpening_, &SoundOpening::midiChosen, play_, &keyboard::PlayMode::playFile);
    connect(play_, &keyboard::PlayMode::said, note_, &Note::say);
    connect(sound_, &SoundControls::availabilityChanged, play_,
            &keyboard::PlayMode::availabilityChanged);
    auto* listening = new Listening(*oscil_, *displayMenu_, soundOutput_.get(), tone_);
    connect(listening, &Listening::said, note_, &Note::say);
    connect(listening, &Listening::sessionChanged, sound_, &SoundControls::setListening);
    connect(listening, &Listening::heard, views_, &DisplayViews::aimAt);
    connect(sound_, &SoundControls::said, note_, &Note::say);
    connect(sound_, &SoundControls::availabilityChanged, listening,
            &Listening::availabilityChanged);
    // Listening and playing notes exclude each other, as listening and the held tone do.
    auto* listen = oscil_->findChild<QAction*>(QStringLiteral("listenAction"));
    connect(listen, &QAction::toggled, this, [this](bool on) {
        if (on) {
            play_->action().setChecked(false);
        }
    });
    connect(&play_->action(), &QAction::toggled, listen, [listen](bool on) {
        if (on) {
            listen->setChecked(false);
        }
    });
}

void Form1::createWaveGame(game::Random random) {
    if (!random) {
        random = [engine = std::mt19937(static_cast<std::mt19937::result_type>(
                      std::chrono::steady_clock::now().time_since_epoch().count()))](
                     int low, int high) mutable {
            return std::uniform_int_distribution<int>(low, high)(engine);
        };
    }
    game_ = new WaveGameActions(*oscil_, *displayMenu_, std::move(random), tone_,
                                sound_->soundAction());
    connect(game_, &WaveGameActions::said, note_, &Note::say);
    connect(game_, &WaveGameActions::roundShown, views_, &DisplayViews::showRound);
    connect(game_, &WaveGameActions::heardChanged, sound_, &SoundControls::publishSoon);
    connect(sound_, &SoundControls::playsChanged, game_,
            [this] { game_->soundPlays(sound_->plays()); });
}

// The large view works with the same keys as this window and the display: they are proxied, so
// that each still does its work in one place.
void Form1::createLargeView() {
    QAction* item = addDisplayItem(*oscil_, *displayMenu_, tr("Large view"), Qt::Key_V, true);
    item->setObjectName(QStringLiteral("largeViewAction"));
    connect(item, &QAction::toggled, this, [this, item](bool on) {
        if (largeView_ == nullptr) {
            largeView_ = new largeview::LargeView(tone_, &DisplayViews::fitWording, *this);
            largeView_->addActions(actions());
            for (QAction* action : oscil_->actions()) {
                if (!action->shortcut().isEmpty() &&
                    action->shortcut() != QKeySequence(Qt::SHIFT | Qt::Key_F10)) {
                    auto* proxy = new QAction(largeView_);
                    proxy->setShortcut(action->shortcut());
                    connect(proxy, &QAction::triggered, action, &QAction::trigger);
                    largeView_->addAction(proxy);
                }
            }
            largeView_->setPiano(play_->addPiano(*largeView_));
            largeView_->showPiano(play_->action().isChecked());
            connect(&play_->action(), &QAction::toggled, largeView_,
                    &largeview::LargeView::showPiano);
            largeView_->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(largeView_, &QWidget::customContextMenuRequested, this,
                    [this](const QPoint& at) { displayMenu_->popup(largeView_->mapToGlobal(at)); });
            connect(largeView_, &largeview::LargeView::visibilityChanged, item,
                    &QAction::setChecked);
            connect(timer1_, &QTimer::timeout, largeView_,
                    [this] { largeView_->setDescription(description_->text()); });
            connect(note_, &Note::shown, largeView_,
                    [this] { largeView_->showNote(note_->text()); });
        }
        largeView_->setDescription(description_->text());
        largeView_->setVisible(on);
        if (on) {
            largeView_->activateWindow();
        }
    });
}

void Form1::openSound(const QString& path) {
    soundOpening_->open(path);
}

editor::Texts Form1::texts() const {
    editor::Texts result;
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = harmonika_[i]->text().toStdString();
    }
    return result;
}

// Focus moves in the designed tab index order; controls that take no focus drop out.
void Form1::chainTabOrder() {
    std::vector<std::pair<int, QWidget*>> order{{layout::oscilTabIndex, oscil_}};
    for (std::size_t i = 0; i < layout::slotCount; ++i) {
        order.emplace_back(layout::harmonikaTabIndex(i), harmonika_[i]);
        order.emplace_back(layout::vscroll1TabIndex(i), vscroll1_[i]);
    }
    for (std::size_t n = 0; n < layout::command1.size(); ++n) {
        order.emplace_back(layout::command1[n].tabIndex, command1_[n]);
    }
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1].second, order[i].second);
    }
}

Form1Controls Form1::adaptControls() {
    Form1Controls controls;
    for (std::size_t i = 0; i < layout::slotCount; ++i) {
        boxes_[i] = std::make_unique<forms::QtTextBox>(*harmonika_[i], boundary_);
        sliders_[i] = std::make_unique<forms::QtScrollBar>(*vscroll1_[i], boundary_);
        controls.harmonika[i] = boxes_[i].get();
        controls.vscroll1[i] = sliders_[i].get();
    }
    for (std::size_t n = 0; n < layout::command1.size(); ++n) {
        buttons_[n] = std::make_unique<forms::QtButton>(*command1_[n], boundary_);
        controls.command1[n] = buttons_[n].get();
    }
    timer_ = std::make_unique<forms::QtTimer>(*timer1_, boundary_);
    controls.timer1 = timer_.get();
    controls.oscil = oscil_;
    return controls;
}

} // namespace app
