#pragma once

#include "core/base/profilefile.h"

#include <QString>

// System/Vidaddr.ini: which camera was chosen last (`Vidset`/`SetVid`, camera k stored as k - 1) and, per
// camera, which keypads have a preset stored in the camera system (section `VID` + camera index, key
// `cell` + keypad, value the keypad number). The presets themselves live in the cameras; this file is
// only the console's record of them.
class CameraPresetFile final
{
public:
    static constexpr int Cameras = 8;

    explicit CameraPresetFile(QString path);

    // The camera index 0..7. A missing, damaged or out-of-range `SetVid` reads as camera 1 (index 0),
    // held to 0..7, so presets are never recorded under a section no camera has.
    int cameraIndex() const;
    bool setCameraIndex(int index);

    bool hasPreset(int camera, int keypad) const;
    bool storePreset(int camera, int keypad);
    bool clearPresets(int camera);

    struct Overview
    {
        QString stored;  // "1:2:3:", keypads with a preset
        QString missing; // "4 :5 :", keypads without; a line break before every 15th
    };
    Overview overview(int camera, int keypadCount) const;

    static QString section(int camera);
    static QString key(int keypad);

private:
    ProfileFile m_file;
};
