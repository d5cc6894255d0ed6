#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace help {

// Keys and help (F1, as desktops have it) and About Tonvirta, at the end of the display's menu.
// The help window lists every key and every item with what it does, as text a screen reader
// reads line by line; it is made when first asked for.
class Help final : public QObject {
    Q_OBJECT

public:
    Help(QWidget& window, QMenu& menu);

    // The whole text, as the window shows it.
    [[nodiscard]] static QString text();

private:
    void showHelp();
    void showAbout();

    QWidget& window_;
    QWidget* helpWindow_ = nullptr;
};

} // namespace help
