#pragma once

#include "gui/ui/windowtexts.h"

#include <QWidget>

#include <functional>

class Link;
class QTableWidget;
class QTimer;
enum class VoteType;

// "on-line monitoring" during a ballot: per keypad, whether it has given a valid answer for the ballot's
// type, in groups of three columns of 22 rows, rebuilt every second. It never tells which key was
// pressed.
class VoteMonitorWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VoteMonitorWindow)

public:
    static constexpr int Rows = 22;
    static constexpr int MinimumGroups = 8;

    struct Cell
    {
        int row;
        int group;
    };
    static Cell cellOf(int keypad);

    // `nameOf` gives the delegate on a keypad, empty when there is none; `typeOf` the type of the ballot
    // running now, so a monitor left open follows the next ballot.
    VoteMonitorWindow(const Link &link, const TextCatalogue &catalogue, std::function<VoteType()> typeOf,
                      std::function<QString(int)> nameOf, QWidget *parent = nullptr);

    QTableWidget *list() const { return m_list; }

    // Timer work: every keypad's status afresh.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void rebuild();

    const Link &m_link;
    WindowTexts m_texts;
    std::function<VoteType()> m_typeOf;
    std::function<QString(int)> m_nameOf;
    QTableWidget *m_list;
    QTimer *m_timer;
};
