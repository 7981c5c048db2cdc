#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// The creation stamps of meetings and motions, "%Y%m%d%H%M%S" in local time. A stamp is the key of
// updates and names the material folder and the documents, so two records made within one second must
// not share one: a stamp that would repeat or go back is moved on to one second after the last.
class StampClock final
{
public:
    using Now = std::function<QDateTime()>;

    // No function: the system clock.
    explicit StampClock(Now now = {});

    QString next();
    // Moves the clock past a stamp already in use.
    void passStamp(const QString &stamp);

    static QString format(const QDateTime &time);
    static QDateTime parse(const QString &stamp);

private:
    Now m_now;
    QDateTime m_last;
};
