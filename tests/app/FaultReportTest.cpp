// A run-time error that escapes a handler: the user is told which, then the program ends.
#include "app/ErrorDialog.h"
#include "forms/qt/QtTextBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iostream>

namespace {

// Stands in for the user: reads the dialog aloud on stderr and presses OK.
void answerTheDialogWhenItOpens() {
    QTimer::singleShot(20, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            answerTheDialogWhenItOpens();
            return;
        }
        std::cerr << "dialog \"" << box->windowTitle().toStdString()
                  << "\": " << box->text().toStdString() << std::endl;
        box->accept();
    });
}

// Typing into a box whose change handler fails with the given error.
void failWhileTyping(const forms::RuntimeError& error) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    forms::ErrorBoundary boundary(
        [&window](const forms::RuntimeError& e) { app::showRuntimeError(&window, e); });
    forms::QtTextBox box(*edit, boundary);
    box.onChange([&error] { throw error; });
    window.show();
    answerTheDialogWhenItOpens();
    QTest::keyClicks(edit, "7");
    std::cerr << "the program went on" << std::endl;
}

TEST(FaultReportDeathTest, ShowsTheErrorInADialogAndEndsTheProgram) {
    const std::pair<forms::RuntimeError, const char*> errors[] = {
        {forms::RuntimeError::typeMismatch(),
         "dialog \"Tonvirta\": Run-time error '13':\n\nType mismatch"},
        {forms::RuntimeError::overflow(), "dialog \"Tonvirta\": Run-time error '6':\n\nOverflow"},
        {forms::RuntimeError::invalidArgument(),
         "dialog \"Tonvirta\": Run-time error '5':\n\nInvalid procedure call or argument"},
    };
    for (const auto& [error, shown] : errors) {
        EXPECT_EXIT(
            failWhileTyping(error), testing::ExitedWithCode(forms::ErrorBoundary::exitStatus),
            testing::AllOf(testing::HasSubstr(shown), testing::Not(testing::HasSubstr("went on"))));
    }
}

} // namespace
