#include "Form1.h"

#include "accessible/qt/Accessibility.h"
#include "accessible/qt/LineEditAccessible.h"
#include "forms/Conversions.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
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

Form1::Form1(forms::ErrorBoundary::Reporter reporter, scope::FitWording fitWording, QWidget* parent)
    : QWidget(parent), boundary_(std::move(reporter)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(layout::formCaption));
    const layout::Rect client = layout::formClientArea.inPixels();
    setFixedSize(client.width, client.height);
    createControls();
    chainTabOrder();
    Form1Controls controls = adaptControls();
    controls.scene = [this] { return tone_.sceneIfNumbers(); };
    controls.fitWording = std::move(fitWording);
    handlers_ = std::make_unique<Form1Handlers>(controls,
                                                Form1Hooks{[this] { tone_.boxesSettled(texts()); },
                                                           [this](int preset) {
                                                               tone_.setPhases({});
                                                               emit presetClicked(preset);
                                                           }});
    tone_.setBoxes({[this](const editor::Texts& texts) {
                        boundary_.run([this, &texts] { handlers_->restore(texts); });
                    },
                    [this](std::span<const std::string> texts) { load(texts); }});
    timer1_->start();
    // The window opens on the picture, not on an empty display for the first interval.
    timer_->tickSoon();
}

// The adapters go first: their handlers must not run while the widgets are torn down.
Form1::~Form1() {
    timer1_->stop();
    handlers_.reset();
}

void Form1::redraw() {
    boundary_.run([this] { handlers_->redraw(); });
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

void Form1::load(std::span<const std::string> texts) {
    boundary_.run([this, texts] { handlers_->load(texts); });
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
