#include "core/shell/camerapresetfile.h"

#include <algorithm>

namespace {
const QString SettingSection = QStringLiteral("Vidset");
const QString SettingKey = QStringLiteral("SetVid");
} // namespace

CameraPresetFile::CameraPresetFile(QString path) : m_file(std::move(path)) {}

QString CameraPresetFile::section(int camera)
{
    return QStringLiteral("VID") + QString::number(std::clamp(camera, 0, Cameras - 1));
}

QString CameraPresetFile::key(int keypad)
{
    return QStringLiteral("cell") + QString::number(keypad);
}

int CameraPresetFile::cameraIndex() const
{
    return std::clamp(m_file.readInt(SettingSection, SettingKey, 0), 0, Cameras - 1);
}

bool CameraPresetFile::setCameraIndex(int index)
{
    return m_file.writeString(SettingSection, SettingKey, QString::number(std::clamp(index, 0, Cameras - 1)));
}

bool CameraPresetFile::hasPreset(int camera, int keypad) const
{
    return !m_file.readString(section(camera), key(keypad)).isEmpty();
}

bool CameraPresetFile::storePreset(int camera, int keypad)
{
    return m_file.writeString(section(camera), key(keypad), QString::number(keypad));
}

bool CameraPresetFile::clearPresets(int camera)
{
    return m_file.deleteSection(section(camera));
}

CameraPresetFile::Overview CameraPresetFile::overview(int camera, int keypadCount) const
{
    // One read for the whole list: a hall of 249 keypads would otherwise open the file 249 times.
    const ProfileDocument document = m_file.read();
    const QString cameraSection = section(camera);
    Overview result;
    int missing = 0;
    for (int n = 1; n <= keypadCount; ++n) {
        const QString value = document.value(cameraSection, key(n)).value_or(QString());
        if (!value.isEmpty()) {
            result.stored += value + QLatin1Char(':');
            continue;
        }
        if (++missing % 15 == 0)
            result.missing += QStringLiteral("\r\n");
        result.missing += QString::number(n) + QStringLiteral(" :");
    }
    return result;
}
