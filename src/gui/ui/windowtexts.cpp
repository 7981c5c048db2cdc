#include "gui/ui/windowtexts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

WindowTexts::WindowTexts(TextCatalogue catalogue, QString section)
    : m_catalogue(std::move(catalogue)), m_section(std::move(section))
{}

QString WindowTexts::text(const QString &key) const
{
    return m_catalogue.text(m_section, key);
}

QString WindowTexts::meetingTitle(const QString &meetingName) const
{
    const QString title = text(QStringLiteral("DlgName"));
    if (meetingName.isEmpty() || title.isEmpty())
        return title + meetingName;
    return title + QStringLiteral(" — ") + meetingName;
}

QStringList WindowTexts::texts(const QStringList &keys) const
{
    return m_catalogue.texts(m_section, keys);
}

bool WindowTexts::isControlKey(const QString &objectName)
{
    return objectName.startsWith(u"IDC_") || objectName == u"IDOK" || objectName == u"IDCANCEL" ||
           objectName.startsWith(u"BTN_");
}

void WindowTexts::setCaption(QWidget *control, const QString &key) const
{
    const QString caption = text(key);
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(caption);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(caption);
    else if (auto *group = qobject_cast<QGroupBox *>(control))
        group->setTitle(caption);
}

void WindowTexts::apply(QWidget *window, const QString &titleKey) const
{
    if (!titleKey.isEmpty())
        window->setWindowTitle(text(titleKey));
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (isControlKey(control->objectName()))
            setCaption(control, control->objectName());
    }
}
