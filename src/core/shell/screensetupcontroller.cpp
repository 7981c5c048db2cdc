#include "core/shell/screensetupcontroller.h"

#include "core/output/hallscreen.h"
#include "core/output/screengeometry.h"
#include "core/store/systemdatabase.h"

QStringList ScreenSetupController::screenSizes()
{
    return {QStringLiteral("800*600"),  QStringLiteral("960*600"),   QStringLiteral("1152*864"),
            QStringLiteral("1024*768"), QStringLiteral("1280*720"),  QStringLiteral("1280*800"),
            QStringLiteral("1280*960"), QStringLiteral("1280*1024"), QStringLiteral("1360*768"),
            QStringLiteral("1440*900")};
}

ScreenSetupController::ScreenSetupController(SystemDatabase &database, HallScreen &hall)
    : m_database(database), m_hall(hall)
{}

void ScreenSetupController::open(int screenLeft)
{
    m_screenLeft = screenLeft;
    const ScreenSetupRecord record = m_database.loadScreenSetup();
    m_size = record.ScrSize;
    m_colour = ScreenGeometry::bgrFromColour(ScreenGeometry::colourFromText(record.ScrColor));
}

bool ScreenSetupController::selectSize(const QString &size)
{
    const QSize parsed = ScreenGeometry::sizeFromText(size);
    if (parsed.isEmpty() || !m_database.setScreenSetupSize(size))
        return false;
    m_size = size;
    m_hall.setGeometry(QRect(QPoint(m_screenLeft, 0), parsed), m_hall.background(), m_hall.textColour());
    return true;
}

bool ScreenSetupController::pickColour(quint32 bgr)
{
    bgr &= 0xFFFFFFu;
    if (!m_database.setScreenSetupColor(bgr))
        return false;
    m_colour = bgr;
    m_hall.setGeometry(m_hall.geometry(), ScreenGeometry::colourFromBgr(bgr), m_hall.textColour());
    return true;
}
