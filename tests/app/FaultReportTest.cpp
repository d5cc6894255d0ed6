// A run-time error that escapes a handler: the user is told which in a dialog, then the program
// ends, with no other handler running while the message is up.
#include "app/ErrorDialog.h"
#include "forms/qt/QtTextBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>
#include <iostream>

namespace {

using testing::HasSubstr;
using testing::Not;

// Typing into a box whose change handler fails, while a timer's handler would like to run; the
// dialog is read aloud on stderr and answered.
void failWhileTyping(const forms::RuntimeError& error) {
    QLineEdit edit;
    forms::ErrorBoundary boundary(
        [&edit](const forms::RuntimeError& e) { app::showRuntimeError(&edit, e); });
    forms::QtTextBox box(edit, boundary);
    bool failed = false;
    box.onChange([&] {
        failed = true;
        throw error;
    });
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        boundary.run([&] { std::cerr << (failed ? "a handler ran during the report\n" : ""); });
        if (auto* dialog = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::cerr << "dialog \"" << dialog->windowTitle().toStdString()
                      << "\": " << dialog->text().toStdString() << std::endl;
            dialog->accept();
        }
    });
    ticks.start(5);
    edit.show();
    QTest::keyClicks(&edit, "7");
    std::cerr << "the program went on" << std::endl;
}

TEST(FaultReportDeathTest, ShowsTheErrorInADialogAndEndsTheProgram) {
    for (const auto& [error, shown] :
         {std::pair{forms::RuntimeError::typeMismatch(), "'13':\n\nType mismatch"},
          {forms::RuntimeError::overflow(), "'6':\n\nOverflow"},
          {forms::RuntimeError::invalidArgument(), "'5':\n\nInvalid procedure call or argument"},
          {forms::RuntimeError::invalidPropertyValue(), "'380':\n\nInvalid property value"}}) {
        EXPECT_EXIT(failWhileTyping(error),
                    testing::ExitedWithCode(forms::ErrorBoundary::exitStatus),
                    AllOf(HasSubstr("dialog \"Tonvirta\": Run-time error " + std::string(shown)),
                          Not(HasSubstr("during the report")), Not(HasSubstr("went on"))));
    }
}

} // namespace
