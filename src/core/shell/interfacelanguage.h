#pragma once

#include <QString>

class DataRoot;
class OperatorNotifier;

// The installation's interface language, `Manage`.`borderism` of the system database: "0" Simplified
// Chinese, "1" English, "2" Portuguese (TextCatalogue chooses the file by it). The console itself has no
// place to change it; installers set it with `quorix --set-language`.
namespace InterfaceLanguage {

// Writes the code for the next start. The system database is created with its factory rows when it does
// not exist yet, and a missing `Manage` row is added, so the choice always takes effect. Refuses any other
// code with a message and changes nothing; database failures are shown by the access layer. True when the
// code is stored.
bool choose(const DataRoot &root, const QString &code, OperatorNotifier &notifier);

} // namespace InterfaceLanguage
