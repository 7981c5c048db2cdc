#include "core/shell/interfacelanguage.h"

#include "core/base/dataroot.h"
#include "core/base/operatornotifier.h"
#include "core/base/textcatalogue.h"
#include "core/store/databaseaccess.h"
#include "core/store/systemdatabase.h"

namespace InterfaceLanguage {

namespace {

// The key of the single `Manage` row.
QString tag()
{
    return QStringLiteral("tag");
}

} // namespace

bool choose(const DataRoot &root, const QString &code, OperatorNotifier &notifier)
{
    if (!TextCatalogue::isLanguageCode(code)) {
        notifier.error(DatabaseAccess::caption(),
                       OperatorText::plain(QStringLiteral("\"%1\" is no language code: use 0 (Simplified "
                                                          "Chinese), 1 (English) or 2 (Portuguese).")
                                               .arg(code)));
        return false;
    }
    SystemDatabase system(root, notifier);
    if (!system.ensureExists())
        return false;

    int rows = 0;
    {
        DatabaseAccess db(system.filePath(), notifier);
        if (!db.execute(QStringLiteral("update Manage set borderism = ? where tag = ?"), {code, tag()},
                        &rows))
            return false;
        if (rows == 0) {
            InstallationRecord m = SystemDatabase::factoryInstallation();
            m.borderism = code;
            if (!db.execute(QStringLiteral("INSERT INTO Manage (tag,borderism,function,mianbmp,logobmp)"
                                           "VALUES(?,?,?,?,?)"),
                            {tag(), m.borderism, m.function, m.mianbmp, m.logobmp}))
                return false;
        }
    }
    return system.loadInstallation().borderism == code;
}

} // namespace InterfaceLanguage
