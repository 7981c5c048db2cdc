#pragma once

#include <QList>
#include <QString>

#include <utility>

class OperatorNotifier;
class TextCatalogue;

// The start-up check of the language file. Some of its texts are not only shown but stored as values (the
// sign-in marks, the vote types, bases, rules and states, the verdicts): a damaged file (empty, binary, or
// short of a few keys) left a blank interface and stored empty marks and states, after which present and
// absent could no longer be told apart. Those texts and the window captions must be there.
namespace LanguageFileCheck {

using Entry = std::pair<QString, QString>; // section, key

// The texts stored as values, and this check's own message.
QList<Entry> storedEntries();

// Looks up storedEntries() and every window caption (each section's DlgName in the shipped file). Those the
// catalogue's file lacks or leaves empty get the shipped file's texts as stand-ins, and the operator is
// told which file lacks which keys. True when nothing was missing.
bool check(TextCatalogue &catalogue, const QString &shippedFile, OperatorNotifier &notifier);

} // namespace LanguageFileCheck
