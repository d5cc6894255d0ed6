// Bytes read as a session of user actions on the in-memory window: after every action each
// box is canonical, in range and in step with its slider, and no cascade nests past four.
#include "FuzzCheck.h"
#include "tests/support/BankInvariants.h"
#include "tests/support/MemoryForm1.h"
#include "tests/support/UserActions.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One window for the whole run, brought back to its start state for each input (building
    // one costs more than a whole session of actions).
    static auto* const window = new testing_support::MemoryForm1;
    testing_support::MemoryForm1& form = *window;
    form.command1[0].click();
    form.nesting = {};
    for (const auto& action : testing_support::decodeUserActions({data, size})) {
        testing_support::applyTo(form, action);
        const std::string fault = testing_support::bankInvariantFault(form.texts(), form.values());
        FUZZ_CHECK(fault.empty(), "%s after %s", fault.c_str(), action.describe().c_str());
        FUZZ_CHECK(form.nesting.deepest <= 4, "nesting %d after %s", form.nesting.deepest,
                   action.describe().c_str());
        FUZZ_CHECK(form.nesting.depth == 0, "a handler is still running");
    }
    return 0;
}
