#include "RuntimeError.h"

namespace forms {

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description) {}

RuntimeError RuntimeError::typeMismatch() {
    return {13, "Type mismatch"};
}
RuntimeError RuntimeError::overflow() {
    return {6, "Overflow"};
}
RuntimeError RuntimeError::divisionByZero() {
    return {11, "Division by zero"};
}
RuntimeError RuntimeError::invalidArgument() {
    return {5, "Invalid procedure call or argument"};
}
RuntimeError RuntimeError::invalidPropertyValue() {
    return {380, "Invalid property value"};
}

std::string reportText(const RuntimeError& error) {
    return "Run-time error '" + std::to_string(error.number()) + "': " + error.description();
}

} // namespace forms
