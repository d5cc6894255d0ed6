#include "ErrorDialog.h"

#include <QMessageBox>

namespace app {

void showRuntimeError(QWidget* parent, const forms::RuntimeError& error) {
    QMessageBox::critical(parent, QStringLiteral("Tonvirta"),
                          QStringLiteral("Run-time error '%1':\n\n%2")
                              .arg(error.number())
                              .arg(QString::fromStdString(error.description())));
}

} // namespace app
