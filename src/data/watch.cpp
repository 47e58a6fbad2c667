#include "watch.h"

#include <QSqlDriver>

namespace quilvarden::data {

RegisterWatch::RegisterWatch(Database& database, QObject* parent) : QObject(parent), m_database(database)
{
    m_timer.setInterval(LookMs);
    connect(&m_timer, &QTimer::timeout, this, &RegisterWatch::look);
    m_timer.start();
    m_gathering.setSingleShot(true);
    m_gathering.setInterval(GatherMs);
    connect(&m_gathering, &QTimer::timeout, this, &RegisterWatch::gathered);
    look();
}

void RegisterWatch::tell()
{
    if (m_gathering.isActive()) {
        m_more = true;
        return;
    }
    m_gathering.start();
    // From the event loop, not from within a driver's notice or a look at the register.
    QTimer::singleShot(0, this, &RegisterWatch::changed);
}

void RegisterWatch::gathered()
{
    if (!m_more)
        return;
    m_more = false;
    m_gathering.start();
    Q_EMIT changed();
}

void RegisterWatch::look()
{
    const QString channel = m_database.changeChannel();
    if (!channel.isEmpty()) {
        // A new connection (the server came back) listens anew, and what was missed meanwhile
        // counts as a change.
        if (m_listening == m_database.connections())
            return;
        QSqlDriver* driver = m_database.driver();
        if (!driver || !driver->subscribeToNotification(channel))
            return;
        disconnect(m_notices);
        m_notices = connect(driver, &QSqlDriver::notification, this,
                            [this](const QString&, QSqlDriver::NotificationSource source, const QVariant&) {
                                if (source == QSqlDriver::OtherSource)
                                    tell();
                            });
        const bool again = m_listening != 0;
        m_listening = m_database.connections();
        if (again)
            tell();
        return;
    }
    const Result<std::optional<qint64>> counter = m_database.changeCounter();
    if (!counter || !counter->has_value())
        return;
    const bool moved = m_counter && *m_counter != **counter;
    m_counter = **counter;
    if (moved)
        tell();
}

} // namespace quilvarden::data
