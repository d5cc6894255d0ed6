#pragma once

#include "forms/Button.h"

namespace forms {

class MemoryButton final : public Button {
public:
    void click() const { raiseClick(); }
};

} // namespace forms
