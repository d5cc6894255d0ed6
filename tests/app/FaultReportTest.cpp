// A run-time error that escapes a handler: the user is told which in a dialog, then the program
// ends, with no other handler running while the message is up.
#include "app/ErrorDialog.h"
#include "forms/ErrorBoundary.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gmock/gmock.h>
#include <iostream>

namespace {

using testing::HasSubstr;

// The dialog is read aloud on stderr and answered, after a handler has tried to run under it.
void failInAHandler(const forms::RuntimeError& error) {
    forms::ErrorBoundary boundary([&boundary](const forms::RuntimeError& shown) {
        QTimer::singleShot(50, [&boundary] {
            boundary.run([] { std::cerr << "a handler ran during the report\n"; });
            if (auto* dialog = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                std::cerr << "dialog \"" << dialog->windowTitle().toStdString()
                          << "\": " << dialog->text().toStdString() << std::endl;
                dialog->accept();
            }
        });
        app::showRuntimeError(nullptr, shown);
    });
    boundary.run([&error] { throw error; });
}

TEST(FaultReportDeathTest, ShowsTheErrorInADialogAndEndsTheProgram) {
    for (const auto& [error, shown] :
         {std::pair{forms::RuntimeError::typeMismatch(), "'13':\n\nType mismatch"},
          {forms::RuntimeError::overflow(), "'6':\n\nOverflow"},
          {forms::RuntimeError::invalidArgument(), "'5':\n\nInvalid procedure call or argument"},
          {forms::RuntimeError::invalidPropertyValue(), "'380':\n\nInvalid property value"}}) {
        EXPECT_EXIT(failInAHandler(error),
                    testing::ExitedWithCode(forms::ErrorBoundary::exitStatus),
                    AllOf(HasSubstr("dialog \"Tonvirta\": Run-time error " + std::string(shown)),
                          testing::Not(HasSubstr("during the report"))));
    }
}

} // namespace
