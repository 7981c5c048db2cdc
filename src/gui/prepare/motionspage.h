#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

#include <array>

class DataRoot;
class ListTable;
class MotionsController;
class OperatorNotifier;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The motions page (FrmMeeMat) of the meeting-preparation window.
class MotionsPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MotionsPage)

public:
    MotionsPage(MotionsController &controller, const DataRoot &root, OperatorNotifier &notifier,
                const TextCatalogue &catalogue, QWidget *parent = nullptr);

    ListTable *list() const { return m_list; }
    QPushButton *button(const QString &key) const;
    QComboBox *typeBox() const { return m_type; }
    QLineEdit *titleField() const { return m_title; }
    QLineEdit *thresholdField() const { return m_threshold; }
    QGroupBox *scoreGroup() const { return m_scoreGroup; }

private:
    void showList();
    void showFields();
    void showState();
    void editCandidates();
    void editContent();

    MotionsController &m_controller;
    const DataRoot &m_root;
    OperatorNotifier &m_notifier;
    WindowTexts m_texts;
    ListTable *m_list;
    QGroupBox *m_group;
    QLineEdit *m_title;
    QComboBox *m_type;
    QComboBox *m_base;
    QComboBox *m_rule;
    QLineEdit *m_threshold;
    QCheckBox *m_timeLimit;
    QComboBox *m_seconds;
    QCheckBox *m_abstain;
    QCheckBox *m_percentages;
    QCheckBox *m_verdict;
    QCheckBox *m_live;
    QLineEdit *m_verdictText;
    QGroupBox *m_scoreGroup;
    std::array<QLineEdit *, 5> m_scores{};
};
