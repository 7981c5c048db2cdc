#pragma once

#include "core/shell/camerapresetfile.h"
#include "core/base/textcatalogue.h"

#include <QObject>

class Link;
class OperatorNotifier;

// The hall's cameras, driven through the base station: the video page of the system setup (camera, line
// type, protocol, movement, presets keypad by keypad) and the small camera window of the discussion page
// (movement only) share one of these. Every command goes out as link mode 4 through the sequencer; the
// keypads with a stored preset are recorded in System/Vidaddr.ini.
class CameraController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CameraController)

public:
    enum class Movement
    {
        Up,
        Left,
        Right,
        Down,
        ZoomNear,
        ZoomFar,
        IrisOpen,
        IrisClose
    };
    static quint32 commandOf(Movement movement);

    CameraController(Link &link, OperatorNotifier &notifier, TextCatalogue catalogue, QString presetPath,
                     QObject *parent = nullptr);

    // The page is shown: the camera chosen last comes back.
    void open();

    int cameraIndex() const { return m_cameraIndex; }
    int keypadCount() const;
    // Camera k = 1..8 is chosen and remembered; anything else chooses nothing.
    void selectCamera(int camera);
    void setRs422();
    void setRs232();
    void setPelcoD();
    void setVisca();
    void speedUp();
    void speedDown();
    void setHome();

    // A movement button went down; the camera moves until release() or stopMovement().
    void press(Movement movement);
    void release() { stopMovement(); }
    // Stops a camera that moves: a button released outside itself, a window hidden under the pointer.
    void stopMovement();
    bool isMoving() const { return m_moving; }

    // Presets, keypad by keypad.
    void setPresetMode(bool on);
    bool isPresetMode() const { return m_presetMode; }
    bool canStore() const { return m_canStore; }
    // Opens the keypad's microphone so the camera turns to it; false (and a message) for a bad number.
    bool openUnit(const QString &numberText);
    // The keypad the next store is for, as the field shows it.
    QString unitText() const { return m_unit > 0 ? QString::number(m_unit) : QString(); }
    void storePreset();
    void clearPresets();
    void showOverview();
    CameraPresetFile &presets() { return m_presets; }

signals:
    void changed();

private:
    void post(quint32 command);
    OperatorText caption() const;

    Link &m_link;
    OperatorNotifier &m_notifier;
    TextCatalogue m_catalogue;
    CameraPresetFile m_presets;
    int m_cameraIndex = 0;
    bool m_moving = false;
    bool m_presetMode = false;
    bool m_canStore = false;
    int m_unit = 0;
};
