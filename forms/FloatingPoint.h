#pragma once

namespace forms {

// The processor's sticky fault flags may have been raised by code that is not ours (the GUI
// toolkit does its own arithmetic), so a checked step starts by clearing them.
void clearFloatingPointFaults();

// Raises the run-time error for a fault flagged since the last clear: invalid operation,
// division by zero or overflow.
void raiseOnFloatingPointFault();

// The same for a result that is not a finite number, in case the flags were not seen: the
// compiler does not promise to keep arithmetic on its side of a flag test.
void raiseUnlessFinite(double result);

} // namespace forms
