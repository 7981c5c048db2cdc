#include "core/shell/seatplancontroller.h"

#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/store/systemdatabase.h"
#include "core/store/textnumber.h"

#include <algorithm>

namespace {
const QString PlanExists = QStringLiteral("yes");
const QString NoPlan = QStringLiteral("No");

OperatorText foundText(const char *key)
{
    return OperatorText::catalogue(QStringLiteral("Frmfound"), QLatin1String(key));
}

int bounded(int value, SeatPlanController::Range range)
{
    return std::clamp(value, range.low, range.high);
}
} // namespace

SeatPlanController::SeatPlanController(SystemDatabase &database, OperatorNotifier &notifier,
                                       const DataRoot &root, QObject *parent)
    : QObject(parent), m_database(database), m_notifier(notifier), m_pictures(root),
      m_model(root.filePath(SeatPlanFile::relativePath()))
{
    m_grid.perRow = SeatsPerRow.initial;
    m_grid.gapX = GapX.initial;
    m_grid.gapY = GapY.initial;
}

void SeatPlanController::open()
{
    m_grid.perRow = SeatsPerRow.initial;
    m_grid.gapX = GapX.initial;
    m_grid.gapY = GapY.initial;
    const SettingsRecord settings = m_database.loadSettings();
    m_model.setMoving(false);
    m_planExists = settings.SeatYesORNo == PlanExists;
    // The room picture is the room's, with or without seats on it.
    m_model.setPicture(m_pictures.load(settings.ico));
    if (m_planExists)
        m_model.load();
    else
        m_model.deleteAll();
    emit stateChanged();
}

void SeatPlanController::setSeatsPerRow(int value)
{
    m_grid.perRow = bounded(value, SeatsPerRow);
}

void SeatPlanController::setGapX(int value)
{
    m_grid.gapX = bounded(value, GapX);
}

void SeatPlanController::setGapY(int value)
{
    m_grid.gapY = bounded(value, GapY);
}

// One seat per keypad in use, as the settings say now.
SeatGrid SeatPlanController::currentGrid()
{
    SeatGrid grid = m_grid;
    grid.seats = std::clamp(textNumber(m_database.loadSettings().cellnum), 0, SeatTable::MaxSeats);
    return grid;
}

void SeatPlanController::report(const char *key)
{
    m_notifier.error(foundText("Msgclew"), foundText(key));
}

bool SeatPlanController::ask(const char *key)
{
    return m_notifier.question(foundText("Msgclew"), foundText(key));
}

bool SeatPlanController::storeSelection(bool exists)
{
    return m_database.setSeatPlanSelection(exists ? PlanExists : NoPlan);
}

void SeatPlanController::pressConfiguration()
{
    if (isMoving())
        return;
    if (m_planExists) {
        if (!ask("MsgDelSeatClew"))
            return;
        // The file keeps the last plan until a new one is saved over it.
        if (!storeSelection(false))
            return;
        m_model.deleteAll();
        m_planExists = false;
        emit stateChanged();
        return;
    }
    if (!ask("MsgNewSeatClew"))
        return;
    if (!m_model.regenerate(currentGrid())) {
        m_model.deleteAll();
        report("MsgSeatSaveErr");
        return;
    }
    if (!storeSelection(true)) {
        m_model.deleteAll();
        return;
    }
    m_planExists = true;
    emit stateChanged();
}

void SeatPlanController::rebuild()
{
    if (!ask("MsgUpdateSeatClew"))
        return;
    if (!m_model.regenerate(currentGrid()))
        report("MsgSeatSaveErr");
    emit stateChanged();
}

void SeatPlanController::pressUpdate()
{
    if (m_planExists && !isMoving())
        rebuild();
}

void SeatPlanController::rebuildForKeypadCount()
{
    if (isMoving())
        return;
    if (m_planExists)
        rebuild();
    else
        pressConfiguration();
}

void SeatPlanController::pressMove()
{
    if (!m_planExists)
        return;
    if (!isMoving()) {
        m_model.setMoving(true);
        emit stateChanged();
        return;
    }
    // Fixing the seats saves them where they stand. A plan that cannot be saved stays in moving, so the
    // seats moved by hand are not given up by leaving the page.
    m_model.drop();
    if (!m_model.save()) {
        report("MsgSeatSaveErr");
        return;
    }
    m_model.setMoving(false);
    emit stateChanged();
}

void SeatPlanController::storePicture(const QString &ico, const QImage &picture)
{
    if (!m_database.setSeatPlanPicture(ico))
        return;
    m_model.setPicture(picture);
    emit stateChanged();
}

void SeatPlanController::pictureChosen(const QString &path)
{
    if (path.isEmpty()) {
        storePicture(QString(), QImage());
        return;
    }
    QString ico;
    switch (m_pictures.import(path, ico)) {
    case RoomPicture::Import::Imported:
        break;
    case RoomPicture::Import::Unreadable:
        report("MsgBmpUnreadable");
        return;
    case RoomPicture::Import::NotAPicture:
        report("MsgBmpNotPicture");
        return;
    case RoomPicture::Import::SameFile:
        report("MsgBmpSameFile");
        return;
    case RoomPicture::Import::WriteFailed:
        report("MsgBmpWriteErr");
        return;
    }
    storePicture(ico, m_pictures.load(ico));
}

void SeatPlanController::pressRemovePicture()
{
    if (!hasPicture() || !ask("MsgDelBmpClew"))
        return;
    const QString ico = m_database.loadSettings().ico;
    if (!m_database.setSeatPlanPicture(QString()))
        return;
    // Only a picture the plan imported goes; one of an older installation's own pictures stays.
    m_pictures.remove(ico);
    m_model.clearPicture();
    emit stateChanged();
}
