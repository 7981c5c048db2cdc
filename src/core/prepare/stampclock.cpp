#include "core/prepare/stampclock.h"

namespace {
const QString StampFormat = QStringLiteral("yyyyMMddHHmmss");
} // namespace

StampClock::StampClock(Now now) : m_now(std::move(now))
{
    if (!m_now)
        m_now = [] { return QDateTime::currentDateTime(); };
}

QString StampClock::format(const QDateTime &time)
{
    return time.toString(StampFormat);
}

QDateTime StampClock::parse(const QString &stamp)
{
    return QDateTime::fromString(stamp, StampFormat);
}

QString StampClock::next()
{
    QDateTime now = m_now();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    if (m_last.isValid() && now <= m_last)
        now = m_last.addSecs(1);
    m_last = now;
    return format(now);
}

void StampClock::passStamp(const QString &stamp)
{
    const QDateTime used = parse(stamp);
    if (used.isValid() && (!m_last.isValid() || used > m_last))
        m_last = used;
}
