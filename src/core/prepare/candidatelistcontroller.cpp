#include "core/prepare/candidatelistcontroller.h"

#include "core/base/colonlist.h"

CandidateListController::CandidateListController(const QString &candidate, int typeNumber, bool voted)
    : m_stored(candidate), m_voted(voted), m_names(ColonList::fields(candidate, FieldCount))
{
    if (const std::optional<VoteType> type = VoteTypeTable::fromIndex(typeNumber))
        m_candidates = VoteTypeTable::info(*type).candidateCount();
}

bool CandidateListController::editable(int field) const
{
    return !m_voted && field >= 0 && field < m_candidates;
}

void CandidateListController::setName(int field, const QString &name)
{
    if (editable(field))
        m_names[field] = name;
}

QString CandidateListController::result() const
{
    if (m_candidates == 0)
        return m_stored;
    return ColonList::join(m_names.mid(0, m_candidates));
}
