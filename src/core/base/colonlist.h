#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The colon list is how every multi-value text column and every hand-over list is laid out: each field is
// followed by a colon ("A:B:C:"). Ballot results, candidate lists, score lists, chart label and legend lists
// all go through these functions, so that a writer and its readers can never disagree on the splitting.
//
// Reading rules, kept for the texts already stored: the text is cut at every colon, fields past the
// requested number are discarded, and whatever follows the last colon is not a field ("A:B" holds only A).
// Two colons in a row give an empty field.
namespace ColonList {

// The fields the text holds, at most `maxFields` of them; fewer when the text has fewer colons.
QStringList split(QStringView text, qsizetype maxFields);

// Exactly `count` fields; those the text does not provide are empty.
QStringList fields(QStringView text, qsizetype count);

// Overwrites the leading entries of `fields` with the fields the text provides (no more than
// fields.size()) and leaves the others as they were, for readers that keep an earlier value when a
// shorter text arrives. Returns the number of entries written.
qsizetype splitInto(QStringView text, QStringList &fields);

// Each field followed by a colon. A colon inside a field would split it in two for every reader, so it
// is written as the full-width colon U+FF1A, which reads the same to the operator.
QString join(const QStringList &fields);

// One field as join() writes it: its colons replaced by U+FF1A.
QString field(QString text);

} // namespace ColonList
