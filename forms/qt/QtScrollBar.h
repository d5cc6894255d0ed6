#pragma once

#include "ScopedConnection.h"
#include "forms/ErrorBoundary.h"
#include "forms/ScrollBar.h"

class QScrollBar;

namespace forms {

class QtScrollBar final : public ScrollBar {
public:
    QtScrollBar(QScrollBar& bar, ErrorBoundary& boundary);

    [[nodiscard]] std::int16_t value() const override;
    void setValue(std::int16_t value) override;

private:
    QScrollBar& bar_;
    ScopedConnection connection_;
};

} // namespace forms
