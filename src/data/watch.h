#pragma once

#include "data/database.h"

#include <QObject>
#include <QTimer>

#include <optional>

namespace quilvarden::data {

// Tells when another station (or program) has changed the register: on a server, by the
// notice each change sends; on a file, by the counter SQLite keeps of other connections'
// commits, looked at fifty times a second (a look costs about 16 µs). Changes made through
// the watched connection itself are not told. A change is told as soon as it is seen; those
// that follow within the next tenth of a second are told together once it is over, so that
// eight busy stations cannot keep a window redrawing (at most about ten tellings a second).
class RegisterWatch : public QObject {
    Q_OBJECT

public:
    explicit RegisterWatch(Database& database, QObject* parent = nullptr);

    static constexpr int LookMs = 20;    // how often a file's counter is looked at
    static constexpr int GatherMs = 100; // changes after a telling wait this long, together

Q_SIGNALS:
    void changed();

private:
    void look();
    void tell();
    void gathered();

    Database& m_database;
    QTimer m_timer;
    QTimer m_gathering;  // running: a change was just told, and others wait for its end
    bool m_more = false; // a change seen while gathering, to be told at its end
    std::optional<qint64> m_counter;
    quint64 m_listening = 0; // the connection listened to, by its number
    QMetaObject::Connection m_notices;
};

} // namespace quilvarden::data
