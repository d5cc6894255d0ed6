#pragma once

#include <functional>
#include <utility>

namespace forms {

// One handler per event, as each control event has exactly one handler in this program.
class Event {
public:
    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    void raise() const {
        if (handler_) {
            handler_();
        }
    }

private:
    std::function<void()> handler_;
};

} // namespace forms
