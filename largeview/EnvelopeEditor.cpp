#include "EnvelopeEditor.h"

#include "accessible/qt/SliderAccessible.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace largeview {
namespace {

constexpr std::array<Setting, model::envelopeSettings> settings{
    Setting::Attack, Setting::Decay, Setting::Sustain, Setting::Release, Setting::Brightness};

} // namespace

EnvelopeHandle::EnvelopeHandle(Setting setting, EnvelopeEditor& editor)
    : QWidget(&editor), setting_(setting), editor_(editor) {
    accessible::readAsSlider<EnvelopeHandle>();
    const std::array<QString, model::envelopeSettings> names{
        tr("Attack"), tr("Decay"), tr("Sustain"), tr("Release"), tr("Brightness decay")};
    // A reader speaks a slider's value as a bare number: this names its unit.
    const std::array<QString, model::envelopeSettings> units{
        tr("milliseconds"), tr("milliseconds, to 60 dB under the peak"), tr("per cent"),
        tr("milliseconds"), tr("upper harmonics die sooner, by a power of their number")};
    setAccessibleName(names[std::size_t(setting)]);
    setAccessibleDescription(units[std::size_t(setting)]);
    setObjectName(QStringLiteral("envelope%1").arg(int(setting)));
    setFocusPolicy(Qt::StrongFocus);
    // The editor paints the handles and takes the mouse over them.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

double EnvelopeHandle::value() const {
    return model::settingsOf(editor_.tone().envelope())[std::size_t(setting_)];
}

QString EnvelopeHandle::valueText() const {
    QString number = QLocale().toString(value(), 'g', 6);
    switch (setting_) {
    case Setting::Sustain:
        return tr("%1 %").arg(number);
    case Setting::Brightness:
        return number;
    default:
        return tr("%1 ms").arg(number);
    }
}

void EnvelopeHandle::setValue(double value) {
    model::Tone& tone = editor_.tone();
    tone.startAction(0); // each change a step of its own
    tone.setEnvelope(with(tone.envelope(), setting_, value));
}

void EnvelopeHandle::announce() {
    QAccessibleValueChangeEvent event(this, value());
    QAccessible::updateAccessibility(&event);
}

void EnvelopeHandle::keyPressEvent(QKeyEvent* event) {
    int steps = 0;
    const model::EnvelopeRange r = model::envelopeRanges[std::size_t(setting_)];
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        steps = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        steps = 1;
        break;
    case Qt::Key_PageDown:
        steps = -3;
        break;
    case Qt::Key_PageUp:
        steps = 3;
        break;
    case Qt::Key_Home:
        setValue(r.low);
        event->accept();
        return;
    case Qt::Key_End:
        setValue(r.high);
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setValue(stepped(setting_, value(), steps));
    event->accept();
}

void EnvelopeHandle::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    editor_.update();
}

void EnvelopeHandle::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    editor_.update();
}

EnvelopeEditor::EnvelopeEditor(model::Tone& tone, QWidget& parent) : QWidget(&parent), tone_(tone) {
    setObjectName(QStringLiteral("envelopeEditor"));
    setAccessibleName(tr("Envelope of played notes"));
    setToolTip(tr("How each played note lives: drag a handle, or Tab to it and use the arrow "
                  "keys. Attack, decay to the sustain level, release, and how much sooner the "
                  "upper harmonics die."));
    for (const Setting setting : settings) {
        handles_[std::size_t(setting)] = new EnvelopeHandle(setting, *this);
    }
    for (std::size_t i = 1; i < handles_.size(); ++i) {
        setTabOrder(handles_[i - 1], handles_[i]);
    }
    tone_.listen([this](model::Tone::Change change) {
        if (change == model::Tone::Change::Envelope) {
            envelopeChanged();
        }
    });
}

void EnvelopeEditor::envelopeChanged() {
    placeHandles();
    for (EnvelopeHandle* handle : handles_) {
        if (handle->hasFocus()) {
            handle->announce();
        }
    }
    update();
}

QPointF EnvelopeEditor::place(Point point) const {
    return {point.x * width(), point.y * height()};
}

Point EnvelopeEditor::pointAt(QPointF at) const {
    return {at.x() / std::max(1, width()), at.y() / std::max(1, height())};
}

void EnvelopeEditor::placeHandles() {
    const EnvelopePoints points = pointsOf(tone_.envelope());
    const int size = std::max(8, height() / 8);
    for (EnvelopeHandle* handle : handles_) {
        const QPointF at = place(points.of(handle->setting()));
        handle->setGeometry(int(at.x()) - size / 2, int(at.y()) - size / 2, size, size);
    }
}

void EnvelopeEditor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeHandles();
}

void EnvelopeEditor::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const EnvelopePoints points = pointsOf(tone_.envelope());
    double nearest = 0.0;
    for (const Setting setting :
         {Setting::Attack, Setting::Sustain, Setting::Release, Setting::Brightness}) {
        const double d = QLineF(place(points.of(setting)), event->position()).length();
        if (!dragging_ || d < nearest) {
            dragging_ = setting;
            nearest = d;
        }
    }
    handle(*dragging_)->setFocus(Qt::MouseFocusReason);
    tone_.holdSteps(true); // the whole drag is one step
    mouseMoveEvent(event);
}

void EnvelopeEditor::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    const Point at = pointAt(event->position());
    model::Envelope envelope = tone_.envelope();
    if (*dragging_ == Setting::Sustain) {
        envelope = with(envelope, Setting::Decay, settingAt(envelope, Setting::Decay, at));
    }
    tone_.setEnvelope(with(envelope, *dragging_, settingAt(envelope, *dragging_, at)));
}

void EnvelopeEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_.reset();
        tone_.holdSteps(false);
    }
}

void EnvelopeEditor::paintCurves(QPainter& painter) const {
    const model::Envelope& e = tone_.envelope();
    const EnvelopePoints p = pointsOf(e);
    const auto decayCurve = [&](int k) {
        QPainterPath path(place(p.peak));
        constexpr int points = 24;
        for (int i = 1; i <= points; ++i) {
            const double u = double(i) / points;
            const double y =
                p.sustain.y + (p.peak.y - p.sustain.y) *
                                  (harmonicAt(e, k, u * u) - e.sustainPercent / 100.0) /
                                  std::max(1e-9, 1.0 - e.sustainPercent / 100.0);
            path.lineTo(place({p.peak.x + (p.sustain.x - p.peak.x) * u, y}));
        }
        return path;
    };
    const double line = std::max(2.0, height() / 40.0);
    QPainterPath first(place({0.05, 0.9}));
    first.lineTo(place(p.peak));
    first.connectPath(decayCurve(1));
    first.lineTo(place(p.letGo));
    first.lineTo(place(p.end));
    painter.setPen(QPen(QColor(230, 230, 230), line));
    painter.drawPath(first);
    if (e.brightness > 0.0 && e.decayMs > 0.0 && e.sustainPercent < 100.0) {
        painter.setPen(QPen(QColor(120, 170, 255), line, Qt::DashLine));
        painter.drawPath(decayCurve(5));
    }
    painter.setPen(QPen(QColor(120, 170, 255), line));
    painter.drawLine(place({0.9, 0.15}), place({0.9, 0.9}));
}

void EnvelopeEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(25, 25, 25));
    paintCurves(painter);
    const EnvelopePoints points = pointsOf(tone_.envelope());
    const double radius = std::max(4.0, height() / 16.0);
    QStringList values;
    for (const EnvelopeHandle* h : handles_) {
        const bool focused = h->hasFocus();
        painter.setPen(QPen(QColor(255, 200, 60), focused ? 3.0 : 1.5));
        painter.setBrush(focused ? QColor(255, 200, 60) : QColor(25, 25, 25));
        painter.drawEllipse(place(points.of(h->setting())), radius, radius);
        const QString text = h->accessibleName() + QLatin1Char(' ') + h->valueText();
        values << (focused ? QStringLiteral("[%1]").arg(text) : text);
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(9, height() / 11));
    painter.setFont(font);
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(QRectF(0, 0, width(), height() * 0.14), Qt::AlignCenter,
                     values.join(QStringLiteral(" · ")));
}

} // namespace largeview
