#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <utility>
#include <memory>

class DataRoot;
struct OperatorText;

// Every caption and message of the console, looked up by section and key in the language file that the
// installation's language code (`Manage`.`borderism`) chooses. There is no default text and no fall-back
// to another language: a missing file, section or key gives an empty text, and a value is cut to 255
// characters as the platform's profile call cut it.
//
// The file is read again whenever its size or modification time changed since the last lookup, so an
// edited file takes effect the next time a window opens, without reading it for every key.
//
// Copies share one cache, and the functions from resolver() and lookup() hold a share of it, so they
// stay valid after the catalogue they came from is gone. Like every window, it is used from the user
// interface thread only.
//
// So that the catalogue check (tests/core/shell) finds every text the code reads, name the section and the
// key as two string literals in one call, e.g. text(QStringLiteral("FrmMain"), QStringLiteral("DlgName")),
// or a numbered family as family(QStringLiteral("FrmRegque"), QStringLiteral("MsgClew"), 1, 18).
class TextCatalogue final
{
public:
    static constexpr qsizetype TextLimit = 255;

    // "0" Simplified Chinese, "1" English, "2" Portuguese.
    static QStringList languageCodes();
    static bool isLanguageCode(const QString &code);
    // The language file below the data root ("System/Menu/menu_e.ini" for "1"); empty for any other code.
    static QString relativePath(const QString &languageCode);

    // No file: every text is empty.
    TextCatalogue();
    TextCatalogue(const DataRoot &root, const QString &languageCode);
    // A language file named directly (the catalogue check reads each of the three this way).
    explicit TextCatalogue(const QString &filePath);

    // Empty when the language code chose no file.
    QString filePath() const;

    // Texts that stand in for entries the file lacks or leaves empty (LanguageFileCheck fills them from
    // the shipped file), so that nothing stored or shown goes blank. One text per (section, key) entry;
    // shared by every copy.
    void setStandIns(const QList<std::pair<QString, QString>> &entries, const QStringList &texts);

    QString text(const QString &section, const QString &key) const;
    QStringList texts(const QString &section, const QStringList &keys) const;
    // The texts of stem + first .. stem + last (MsgClew1 .. MsgClew18), in order.
    QStringList family(const QString &section, const QString &stem, int first, int last) const;
    static QString familyKey(const QString &stem, int number);

    // A catalogue entry's text, or the literal as it stands.
    QString resolve(const OperatorText &text) const;
    // For MessageBoxNotifier.
    std::function<QString(const OperatorText &)> resolver() const;
    // (section, key) -> text, the form VoteTypeTable::Lookup and the ballot tally take.
    std::function<QString(QStringView, QStringView)> lookup() const;

private:
    class Cache;
    std::shared_ptr<Cache> m_cache;
};
