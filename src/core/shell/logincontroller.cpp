#include "core/shell/logincontroller.h"

#include "core/store/systemdatabase.h"

bool LoginController::accept(const QString &typed)
{
    // A settings record that cannot be read has an empty password; an empty entry must not open the
    // console then, since the failure was already reported.
    const QString password = m_database.loadSettings().UserPass;
    return !password.isEmpty() && typed == password;
}
