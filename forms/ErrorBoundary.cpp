#include "ErrorBoundary.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>

namespace forms {

ErrorBoundary::ErrorBoundary(Reporter reporter) : reporter_(std::move(reporter)) {}

void ErrorBoundary::run(const std::function<void()>& handler) noexcept {
    if (ending_) {
        return;
    }
    try {
        handler();
    } catch (const RuntimeError& error) {
        end(error);
    } catch (const std::bad_alloc&) {
        end(RuntimeError(7, "Out of memory"));
    } catch (...) {
        end(RuntimeError(51, "Internal error"));
    }
}

void ErrorBoundary::end(const RuntimeError& error) noexcept {
    ending_ = true;
    std::fprintf(stderr, "tonvirta: %s\n", reportText(error).c_str());
    try {
        if (reporter_) {
            reporter_(error);
        }
    } catch (...) {
        // The message is already on stderr; ending matters more than a second report.
    }
    std::fflush(nullptr);
    // Unwinding would run through the toolkit's frames, which are not exception safe, and
    // the program ends at once in any case.
    std::_Exit(exitStatus);
}

} // namespace forms
