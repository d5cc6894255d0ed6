#pragma once

#include "Event.h"

namespace forms {

class Button {
public:
    virtual ~Button() = default;

    void onClick(std::function<void()> handler) { click_.setHandler(std::move(handler)); }

protected:
    void raiseClick() const { click_.raise(); }

private:
    Event click_;
};

} // namespace forms
