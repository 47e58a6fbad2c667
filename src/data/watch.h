#pragma once

#include "data/database.h"

#include <QObject>
#include <QTimer>

#include <optional>

namespace quilvarden::data {

// Tells when another station (or program) has changed the register: on a server, by the
// notice each change sends; on a file, by the counter SQLite keeps of other connections'
// commits, looked at ten times a second. Changes made through the watched connection itself
// are not told. Many changes close together are told once (at most about ten times a
// second), so that eight busy stations cannot keep a window redrawing.
class RegisterWatch : public QObject {
    Q_OBJECT

public:
    explicit RegisterWatch(Database& database, QObject* parent = nullptr);

Q_SIGNALS:
    void changed();

private:
    void look();
    void tell();

    Database& m_database;
    QTimer m_timer;
    QTimer m_telling; // gathers the changes of the next moment into one
    std::optional<qint64> m_counter;
    quint64 m_listening = 0; // the connection listened to, by its number
    QMetaObject::Connection m_notices;
};

} // namespace quilvarden::data
