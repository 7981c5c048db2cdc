#pragma once

#include "core/counting/votetypetable.h"

#include <QString>
#include <QStringList>

// The candidate window (FrmNominee): the names of an election's candidates, one per key. A three-candidate
// election names three, a five-candidate election five; the list of a motion that has been voted on is
// fixed, since its stored result counts the keys in that order.
class CandidateListController final
{
public:
    static constexpr int FieldCount = 5;

    // `typeNumber` is the vote type number 0..6 as the motions window hands it over.
    CandidateListController(const QString &candidate, int typeNumber, bool voted);

    // The names read from the stored list, in key order; five of them, empty where the list has none.
    const QStringList &names() const { return m_names; }
    bool editable(int field) const;
    void setName(int field, const QString &name);

    // The list to store: the names of the election's keys, each followed by a colon. Any other type
    // gets the stored list back as it was.
    QString result() const;

private:
    QString m_stored;
    int m_candidates = 0;
    bool m_voted = false;
    QStringList m_names;
};
