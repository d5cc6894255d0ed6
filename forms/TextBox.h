#pragma once

#include "Event.h"

#include <string>
#include <string_view>

namespace forms {

// A single-line text box. Its change handler runs for user edits that alter the text and,
// synchronously inside setText, for program assignments of a different text.
class TextBox {
public:
    virtual ~TextBox() = default;

    [[nodiscard]] virtual std::string text() const = 0;
    // Assigning the current text again runs nothing.
    virtual void setText(std::string_view text) = 0;

    void onChange(std::function<void()> handler) { change_.setHandler(std::move(handler)); }

protected:
    void raiseChange() const { change_.raise(); }

private:
    Event change_;
};

} // namespace forms
