#pragma once

#include "RuntimeError.h"

#include <functional>

namespace forms {

// Where control events enter the program's handlers. No handler traps errors: one that escapes
// is shown to the user and the program ends, without running another handler in between.
class ErrorBoundary {
public:
    static constexpr int exitStatus = 1;

    using Reporter = std::function<void(const RuntimeError&)>;

    explicit ErrorBoundary(Reporter reporter);

    // Runs the handler unless the program is already ending (a report dialog keeps the event
    // loop turning, and ticks or clicks then must not reach the handlers).
    void run(const std::function<void()>& handler) noexcept;

private:
    [[noreturn]] void end(const RuntimeError& error) noexcept;

    Reporter reporter_;
    bool ending_ = false;
};

} // namespace forms
