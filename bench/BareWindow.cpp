// What start-up is measured against: a bare Qt window of Tonvirta's size and caption with
// nothing in it. With --controls it holds the window's stock controls, where they stand, and
// nothing behind them: what those alone cost, which no work of ours can take off. With
// TONVIRTA_LOG_FIRST_FRAME set it says when its first paint is done, as the program says of its
// first waveform, so scripts/bench times them all the same way.
#include "app/WindowLayout.h"

#include <QApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace {

class BareWindow final : public QWidget {
protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        if (!logged_ && !qEnvironmentVariableIsEmpty("TONVIRTA_LOG_FIRST_FRAME")) {
            logged_ = true;
            std::fprintf(stderr, "bare window: first frame at %lld\n",
                         QDateTime::currentMSecsSinceEpoch());
        }
    }

private:
    bool logged_ = false;
};

void place(QWidget& widget, layout::Rect twips) {
    const layout::Rect r = twips.inPixels();
    widget.setGeometry(r.left, r.top, r.width, r.height);
}

void addControls(QWidget& window) {
    auto* frame = new QGroupBox(QStringLiteral("Ekvalaizeriukas"), &window);
    place(*frame, layout::frame1Rect);
    for (std::size_t i = 0; i < layout::slotCount; ++i) {
        auto* bar = new QScrollBar(Qt::Vertical, &window);
        bar->setRange(layout::sliderMinimum, layout::sliderMaximum);
        place(*bar, layout::vscroll1Rect(i));
        const bool framed = i >= layout::firstFramedBox;
        auto* box = new QLineEdit(QStringLiteral("0"), framed ? frame : &window);
        place(*box, framed ? layout::harmonikaRectInFrame(i) : layout::harmonikaRect(i));
    }
    for (const auto& description : layout::command1) {
        auto* button = new QPushButton(
            QString::fromUtf8(description.caption.data(), qsizetype(description.caption.size())),
            &window);
        place(*button, description.rect);
    }
    auto* label = new QLabel(QStringLiteral("DORVILA"), &window);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(layout::label2FontPoints);
    font.setBold(true);
    label->setFont(font);
    place(*label, layout::label2Rect);
}

} // namespace

int main(int argc, char* argv[]) {
    const QApplication application(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("Tonvirta"));
    const layout::Rect client = layout::formClientArea.inPixels();
    window.setFixedSize(client.width, client.height);
    if (argc > 1 && std::strcmp(argv[1], "--controls") == 0) {
        addControls(window);
    }
    window.show();
    return QApplication::exec();
}
