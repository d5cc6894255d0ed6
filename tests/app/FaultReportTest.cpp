// A run-time error that escapes a handler: the user is told which, then the program ends,
// with no other handler running while the message is up.
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

// Typing into a box whose change handler fails with the given error, while a timer's handler
// would like to run.
void failWhileTyping(const forms::RuntimeError& error) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    forms::ErrorBoundary boundary(
        [&window](const forms::RuntimeError& e) { app::showRuntimeError(&window, e); });
    forms::QtTextBox box(*edit, boundary);
    bool failed = false;
    box.onChange([&] {
        failed = true;
        throw error;
    });
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        boundary.run([&] { std::cerr << (failed ? "a handler ran during the report\n" : ""); });
    });
    ticks.start(5);
    window.show();
    answerTheDialogWhenItOpens();
    QTest::keyClicks(edit, "7");
    std::cerr << "the program went on" << std::endl;
}

TEST(FaultReportDeathTest, ShowsTheErrorInADialogAndEndsTheProgram) {
    const std::pair<forms::RuntimeError, const char*> errors[] = {
        {forms::RuntimeError::typeMismatch(), "Run-time error '13':\n\nType mismatch"},
        {forms::RuntimeError::overflow(), "Run-time error '6':\n\nOverflow"},
        {forms::RuntimeError::invalidArgument(),
         "Run-time error '5':\n\nInvalid procedure call or argument"},
        {forms::RuntimeError::invalidPropertyValue(),
         "Run-time error '380':\n\nInvalid property value"},
    };
    for (const auto& [error, shown] : errors) {
        EXPECT_EXIT(failWhileTyping(error),
                    testing::ExitedWithCode(forms::ErrorBoundary::exitStatus),
                    testing::AllOf(testing::HasSubstr(std::string("dialog \"Tonvirta\": ") + shown),
                                   testing::Not(testing::HasSubstr("during the report")),
                                   testing::Not(testing::HasSubstr("went on"))));
    }
}

} // namespace
