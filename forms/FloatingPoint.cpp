#include "FloatingPoint.h"

#include "RuntimeError.h"

#include <cfenv>
#include <cmath>

namespace forms {

void clearFloatingPointFaults() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

void raiseOnFloatingPointFault() {
    const int flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if ((flags & FE_INVALID) != 0) {
        throw RuntimeError::invalidArgument();
    }
    if ((flags & FE_DIVBYZERO) != 0) {
        throw RuntimeError::divisionByZero();
    }
    if ((flags & FE_OVERFLOW) != 0) {
        throw RuntimeError::overflow();
    }
}

void raiseUnlessFinite(double result) {
    if (std::isnan(result)) {
        throw RuntimeError::invalidArgument();
    }
    if (std::isinf(result)) {
        throw RuntimeError::overflow();
    }
}

} // namespace forms
