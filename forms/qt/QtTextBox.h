#pragma once

#include "ScopedConnection.h"
#include "forms/ErrorBoundary.h"
#include "forms/TextBox.h"

#include <QString>

class QLineEdit;

namespace forms {

class QtTextBox final : public TextBox {
public:
    QtTextBox(QLineEdit& edit, ErrorBoundary& boundary);

    [[nodiscard]] std::string text() const override;
    void setText(std::string_view text) override;

private:
    void textChanged(ErrorBoundary& boundary);

    QLineEdit& edit_;
    // The toolkit also reports edits that leave the text as it was (a paste of the same text).
    QString lastReported_;
    ScopedConnection connection_;
};

} // namespace forms
