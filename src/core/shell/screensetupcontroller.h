#pragma once

#include <QString>
#include <QStringList>

class HallScreen;
class SystemDatabase;

// The small screen setup window of the conference console: the hall screen's size and background
// colour kept in table `pass`. A chosen size moves the hall screen at once and a chosen colour recolours
// it at once, keeping its text colour; both are stored the moment they are chosen.
class ScreenSetupController final
{
    Q_DISABLE_COPY_MOVE(ScreenSetupController)

public:
    // The sizes the window offers, in their order.
    static QStringList screenSizes();

    ScreenSetupController(SystemDatabase &database, HallScreen &hall);

    // Reads table `pass`; `screenLeft` is the operator display's width, the hall screen's left edge.
    void open(int screenLeft);
    const QString &size() const { return m_size; }
    quint32 colour() const { return m_colour; }

    // Each returns whether the value was stored; a size that is not "width*height" is refused.
    bool selectSize(const QString &size);
    bool pickColour(quint32 bgr);

private:
    SystemDatabase &m_database;
    HallScreen &m_hall;
    QString m_size;
    quint32 m_colour = 0;
    int m_screenLeft = 0;
};
