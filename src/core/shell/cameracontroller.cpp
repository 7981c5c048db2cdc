#include "core/shell/cameracontroller.h"

#include "core/link/link.h"
#include "core/base/operatornotifier.h"
#include "core/store/textnumber.h"

namespace {
const QString Section = QStringLiteral("FrmVid");
} // namespace

CameraController::CameraController(Link &link, OperatorNotifier &notifier, TextCatalogue catalogue,
                                   QString presetPath, QObject *parent)
    : QObject(parent), m_link(link), m_notifier(notifier), m_catalogue(std::move(catalogue)),
      m_presets(std::move(presetPath))
{}

quint32 CameraController::commandOf(Movement movement)
{
    switch (movement) {
    case Movement::Up:
        return Command::CameraUp;
    case Movement::Left:
        return Command::CameraLeft;
    case Movement::Right:
        return Command::CameraRight;
    case Movement::Down:
        return Command::CameraDown;
    case Movement::ZoomNear:
        return Command::CameraZoomNear;
    case Movement::ZoomFar:
        return Command::CameraZoomFar;
    case Movement::IrisOpen:
        return Command::CameraIrisOpen;
    case Movement::IrisClose:
        return Command::CameraIrisClose;
    }
    return Command::CameraStop;
}

void CameraController::open()
{
    m_cameraIndex = m_presets.cameraIndex();
    emit changed();
}

int CameraController::keypadCount() const
{
    return m_link.settings().keypadCount;
}

void CameraController::post(quint32 command)
{
    m_link.post(LinkMode::CameraCommand, command);
}

OperatorText CameraController::caption() const
{
    return OperatorText::catalogue(Section, QStringLiteral("MsgClew0"));
}

void CameraController::selectCamera(int camera)
{
    if (camera >= 1 && camera <= CameraPresetFile::Cameras) {
        post(Command::CameraSelect | (quint32(camera) << 8));
        m_cameraIndex = camera - 1;
    }
    if (!m_presets.setCameraIndex(m_cameraIndex))
        m_notifier.error(caption(), OperatorText::catalogue(Section, QStringLiteral("MsgSaveErr"),
                                                            {m_presets.section(m_cameraIndex)}));
    emit changed();
}

void CameraController::setRs422()
{
    post(Command::CameraRs422);
}

void CameraController::setRs232()
{
    post(Command::CameraRs232);
}

void CameraController::setPelcoD()
{
    post(Command::CameraPelcoD);
}

void CameraController::setVisca()
{
    post(Command::CameraVisca);
}

void CameraController::speedUp()
{
    post(Command::CameraSpeedUp);
}

void CameraController::speedDown()
{
    post(Command::CameraSpeedDown);
}

void CameraController::setHome()
{
    post(Command::CameraHome);
}

void CameraController::press(Movement movement)
{
    post(commandOf(movement));
    m_moving = true;
}

void CameraController::stopMovement()
{
    if (!m_moving)
        return;
    m_moving = false;
    post(Command::CameraStop);
}

void CameraController::setPresetMode(bool on)
{
    m_presetMode = on;
    if (!on)
        m_canStore = false;
    emit changed();
}

bool CameraController::openUnit(const QString &numberText)
{
    const int n = textNumber(numberText.trimmed());
    if (!m_presetMode)
        return false;
    if (n <= 0 || n > keypadCount()) {
        m_notifier.information(caption(), OperatorText::catalogue(Section, QStringLiteral("MsgClew9")));
        return false;
    }
    m_link.post(LinkMode::CameraCommand, Command::MicOpen | quint32(n));
    m_unit = n;
    m_canStore = true;
    emit changed();
    return true;
}

void CameraController::storePreset()
{
    if (!m_canStore || m_unit <= 0)
        return;
    if (!m_notifier.question(caption(), OperatorText::catalogue(Section, QStringLiteral("MsgClew11"))))
        return;
    // The record first: a preset the console could not note down is not asked of the camera either.
    if (!m_presets.storePreset(m_cameraIndex, m_unit)) {
        m_notifier.error(caption(), OperatorText::catalogue(Section, QStringLiteral("MsgSaveErr"),
                                                            {m_presets.section(m_cameraIndex)}));
        return;
    }
    post(Command::CameraStorePreset);
    m_unit += 1;
    m_canStore = false;
    emit changed();
}

void CameraController::clearPresets()
{
    if (!m_presetMode)
        return;
    if (!m_notifier.question(caption(), OperatorText::catalogue(Section, QStringLiteral("MsgClew10"))))
        return;
    if (!m_presets.clearPresets(m_cameraIndex)) {
        m_notifier.error(caption(), OperatorText::catalogue(Section, QStringLiteral("MsgSaveErr"),
                                                            {m_presets.section(m_cameraIndex)}));
        return;
    }
    post(Command::CameraClearPresets);
    emit changed();
}

void CameraController::showOverview()
{
    const CameraPresetFile::Overview overview = m_presets.overview(m_cameraIndex, keypadCount());
    const QString text = m_catalogue.text(Section, QStringLiteral("MsgClew12")) + QStringLiteral("\r\n") +
                         overview.stored + QStringLiteral("\r\n") +
                         m_catalogue.text(Section, QStringLiteral("MsgClew14")) + QStringLiteral("\r\n") +
                         overview.missing;
    m_notifier.information(OperatorText::catalogue(Section, QStringLiteral("MsgClew13")),
                           OperatorText::plain(text));
}
