#pragma once

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QWidget>

namespace accessible {

// A widget of the program's own that a screen reader reads as a slider: its name, its value as
// it is shown ("200 ms"), and its value, range and step as numbers. The widget says them:
//   double sliderValue() const; QString sliderText() const; void setSliderValue(double);
//   double sliderMinimum() const; double sliderMaximum() const; double sliderStep() const;
template <class Widget>
class SliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(Widget& widget)
        : QAccessibleWidget(&widget, QAccessible::Slider), widget_(widget) {}

    [[nodiscard]] QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? widget_.sliderText() : QAccessibleWidget::text(type);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    [[nodiscard]] QVariant currentValue() const override { return widget_.sliderValue(); }
    void setCurrentValue(const QVariant& value) override {
        widget_.setSliderValue(value.toDouble());
    }
    [[nodiscard]] QVariant maximumValue() const override { return widget_.sliderMaximum(); }
    [[nodiscard]] QVariant minimumValue() const override { return widget_.sliderMinimum(); }
    [[nodiscard]] QVariant minimumStepSize() const override { return widget_.sliderStep(); }

private:
    Widget& widget_;
};

template <class Widget>
QAccessibleInterface* sliderFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(Widget::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType()) {
        return new SliderAccessible<Widget>(static_cast<Widget&>(*object));
    }
    return nullptr;
}

// Every widget of the class reads as a slider; called from its constructor, installed once.
template <class Widget> void readAsSlider() {
    static const bool installed = [] {
        QAccessible::installFactory(sliderFactory<Widget>);
        return true;
    }();
    (void)installed;
}

} // namespace accessible
