#pragma once

class SystemDatabase;
class QString;

// The operator password check of the login window. The password is read afresh for every attempt, so a
// password changed in the settings counts at once; the comparison is exact and case-sensitive, and there
// is no limit on attempts.
class LoginController final
{
public:
    static constexpr int MaxLength = 50;

    explicit LoginController(SystemDatabase &database) : m_database(database) {}

    bool accept(const QString &typed);

private:
    SystemDatabase &m_database;
};
