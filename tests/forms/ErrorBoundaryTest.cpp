#include "forms/ErrorBoundary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iostream>

namespace {

using forms::ErrorBoundary;
using forms::RuntimeError;

// A reporter that writes where a death test can read it, in place of the dialog.
void reportToStderr(const RuntimeError& error) {
    std::cerr << "shown to user: " << forms::reportText(error) << '\n';
}

TEST(ErrorBoundaryDeathTest, ReportsAnEscapedErrorAndEndsTheProgram) {
    const std::pair<RuntimeError, const char*> errors[] = {
        {RuntimeError::typeMismatch(), "shown to user: Run-time error '13': Type mismatch"},
        {RuntimeError::overflow(), "shown to user: Run-time error '6': Overflow"},
        {RuntimeError::divisionByZero(), "shown to user: Run-time error '11': Division by zero"},
        {RuntimeError::invalidPropertyValue(),
         "shown to user: Run-time error '380': Invalid property value"},
    };
    for (const auto& [error, shown] : errors) {
        EXPECT_EXIT(
            {
                ErrorBoundary boundary(reportToStderr);
                boundary.run([&error] { throw error; });
            },
            testing::ExitedWithCode(ErrorBoundary::exitStatus), shown);
    }
}

TEST(ErrorBoundaryDeathTest, RunsNoFurtherHandlerWhileTheReportIsShown) {
    EXPECT_EXIT(
        {
            ErrorBoundary* self = nullptr;
            ErrorBoundary boundary([&self](const RuntimeError&) {
                // The dialog keeps events flowing: a tick arriving now must not reach its handler.
                self->run([] { std::cerr << "handler ran during the report\n"; });
                std::cerr << "report finished\n";
            });
            self = &boundary;
            boundary.run([] { throw RuntimeError::overflow(); });
        },
        testing::ExitedWithCode(ErrorBoundary::exitStatus),
        testing::AllOf(testing::HasSubstr("report finished"),
                       testing::Not(testing::HasSubstr("handler ran"))));
}

TEST(ErrorBoundary, RunsHandlersThatSucceed) {
    ErrorBoundary boundary(reportToStderr);
    int runs = 0;
    boundary.run([&runs] { ++runs; });
    boundary.run([&runs] { ++runs; });
    EXPECT_EQ(runs, 2);
}

} // namespace
