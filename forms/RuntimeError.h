#pragma once

#include <stdexcept>
#include <string>

namespace forms {

// An error that no handler traps: the runtime reports it to the user and ends the program.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description);

    [[nodiscard]] int number() const noexcept { return number_; }
    [[nodiscard]] std::string description() const { return description_; }

    static RuntimeError typeMismatch();
    static RuntimeError overflow();
    static RuntimeError divisionByZero();
    static RuntimeError invalidArgument();
    static RuntimeError invalidPropertyValue();

private:
    int number_;
    std::string description_;
};

// The text users see, e.g. "Run-time error '13': Type mismatch".
std::string reportText(const RuntimeError& error);

} // namespace forms
