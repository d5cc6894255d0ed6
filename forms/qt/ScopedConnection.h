#pragma once

#include <QMetaObject>
#include <QObject>

namespace forms {

// Adapters die before the widgets they listen to; the connection must not outlive them.
class ScopedConnection {
public:
    ScopedConnection() = default;
    explicit ScopedConnection(QMetaObject::Connection connection)
        : connection_(std::move(connection)) {}
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;
    ~ScopedConnection() { QObject::disconnect(connection_); }

private:
    QMetaObject::Connection connection_;
};

} // namespace forms
