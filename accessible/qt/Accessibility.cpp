#include "Accessibility.h"

#include "accessible/qt/Announcement.h"
#include "accessible/qt/LineEditAccessible.h"
#include "accessible/qt/MenuItemAccessible.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QScrollBar>

namespace app {
namespace {

constexpr const char* amplitudeSlider = "tonvirtaAmplitudeSlider";

// The scroll bar's minimum is at the top, so the amplitude is its value negated.
class AmplitudeSliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AmplitudeSliderAccessible(QScrollBar& bar)
        : QAccessibleWidget(&bar, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    [[nodiscard]] QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? QString::number(-bar().value())
                                          : QAccessibleWidget::text(type);
    }
    [[nodiscard]] QVariant currentValue() const override { return -bar().value(); }
    void setCurrentValue(const QVariant& value) override { bar().setValue(-value.toInt()); }
    [[nodiscard]] QVariant maximumValue() const override { return -bar().minimum(); }
    [[nodiscard]] QVariant minimumValue() const override { return -bar().maximum(); }
    [[nodiscard]] QVariant minimumStepSize() const override { return bar().singleStep(); }

private:
    [[nodiscard]] QScrollBar& bar() const { return *static_cast<QScrollBar*>(widget()); }
};

QAccessibleInterface* describe(const QString& className, QObject* object) {
    if (className == QLatin1String("app::Form1")) {
        // A plain top-level widget would be a "filler" to a screen reader, not a frame.
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    if (className == QLatin1String("QAction") || className == QLatin1String("QMenu")) {
        return accessible::describeMenu(object);
    }
    if (className == QLatin1String("app::Note") ||
        className == QLatin1String("accessible::Announcement")) {
        return new accessible::NotificationAccessible(*static_cast<QWidget*>(object));
    }
    if (className == QLatin1String("QLineEdit")) {
        return new accessible::LineEditAccessible(*static_cast<QLineEdit*>(object));
    }
    if (className == QLatin1String("forms::PictureBox")) {
        // A chart of the sum, which a reader names as such, rather than an unnamed filler.
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    }
    if (object != nullptr && object->property(amplitudeSlider).toBool()) {
        return new AmplitudeSliderAccessible(*static_cast<QScrollBar*>(object));
    }
    return nullptr;
}

} // namespace

void describeToScreenReaders() {
    QAccessible::installFactory(&describe);
}

void markAmplitudeSlider(QScrollBar& slider) {
    slider.setProperty(amplitudeSlider, true);
    // Qt describes a widget as soon as it is built; that description is dropped for this one.
    if (QAccessibleInterface* built = QAccessible::queryAccessibleInterface(&slider)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(built));
    }
}

} // namespace app
