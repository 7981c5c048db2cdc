#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

class DataRoot;
class ListTable;
class MeetingRegisterController;
class OperatorNotifier;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The meeting register page (FrmMeeset) of the meeting-preparation window.
class MeetingRegisterPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MeetingRegisterPage)

public:
    MeetingRegisterPage(MeetingRegisterController &controller, const DataRoot &root,
                        OperatorNotifier &notifier, const TextCatalogue &catalogue,
                        QWidget *parent = nullptr);

    ListTable *list() const { return m_list; }
    QPushButton *button(const QString &key) const;
    QLineEdit *nameField() const { return m_name; }
    QLineEdit *dueField() const { return m_due; }
    QCheckBox *quorumBox() const { return m_quorum; }
    QLineEdit *ratioField() const { return m_ratio; }

private:
    void showList();
    void showFields();
    void showState();
    void editBanner();

    MeetingRegisterController &m_controller;
    const DataRoot &m_root;
    OperatorNotifier &m_notifier;
    WindowTexts m_texts;
    ListTable *m_list;
    QGroupBox *m_group;
    QLineEdit *m_name;
    QLineEdit *m_place;
    QDateEdit *m_start;
    QDateEdit *m_end;
    QLineEdit *m_due;
    QCheckBox *m_quorum;
    QLineEdit *m_ratio;
};
