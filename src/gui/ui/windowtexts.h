#pragma once

#include "core/base/textcatalogue.h"

#include <QString>
#include <QStringList>

class QWidget;

// The texts of one window: its section of the text catalogue. A window applies them when it opens, so an
// edited language file shows the next time the window opens, and a key missing from the file leaves the
// caption empty rather than showing the layout's default.
//
// Convention: a window's controls carry their catalogue keys as object names (IDC_SIGNIN_START, IDOK,
// BTN_OK), and the window itself carries its section name (FrmManChe). apply() then sets every caption
// and the title in one call, and the catalogue check finds the keys in the .ui files and in the
// setObjectName() calls of a file that names one section.
class WindowTexts final
{
public:
    WindowTexts(TextCatalogue catalogue, QString section);

    const QString &section() const { return m_section; }
    const TextCatalogue &catalogue() const { return m_catalogue; }

    QString text(const QString &key) const;
    // The window's title (`DlgName`) followed by the meeting it belongs to, when it belongs to one.
    QString meetingTitle(const QString &meetingName) const;
    // Column headers and combo items: the texts of the keys, in order.
    QStringList texts(const QStringList &keys) const;

    // Sets the window's title from `titleKey` (none when it is empty) and the caption of every descendant
    // whose object name is a control key.
    void apply(QWidget *window, const QString &titleKey = QStringLiteral("DlgName")) const;
    // The caption of one control: the text of a button or label, the title of a group box.
    void setCaption(QWidget *control, const QString &key) const;

    // IDC_..., IDOK, IDCANCEL and BTN_...: the names of controls whose caption is a catalogue text.
    static bool isControlKey(const QString &objectName);

private:
    TextCatalogue m_catalogue;
    QString m_section;
};
