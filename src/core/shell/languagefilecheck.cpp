#include "core/shell/languagefilecheck.h"

#include <QDir>

#include "core/base/operatornotifier.h"
#include "core/base/profilefile.h"
#include "core/base/textcatalogue.h"

QList<LanguageFileCheck::Entry> LanguageFileCheck::storedEntries()
{
    QList<Entry> entries;
    const auto add = [&](const char *section, std::initializer_list<const char *> keys) {
        for (const char *key : keys)
            entries.append({QString::fromLatin1(section), QString::fromLatin1(key)});
    };
    add("FrmManChe", {"MsgClew4", "MsgScrView5", "MsgScrView6", "MsgScrView9", "MsgScrView10",
                      "IDC_STATIC_YDAO", "IDC_STATIC_YJDAO", "IDC_STATIC_WDAO"});
    add("Public",
        {"VoteType1", "VoteType2", "VoteType3", "VoteType4", "VoteType5", "VoteType6", "VoteType7"});
    add("FrmMeeVote", {"cbBaseOne", "cbBaseTwo", "cbAbetOne", "cbAbetTwo", "DateYes", "DateNo", "DateBreak"});
    add("FrmScrText", {"PassVoteOk", "PassVoteNo"});
    add("Public", {"MsgLangClew", "MsgLangMissing"});
    return entries;
}

bool LanguageFileCheck::check(TextCatalogue &catalogue, const QString &shippedFile,
                              OperatorNotifier &notifier)
{
    const TextCatalogue shipped(shippedFile);
    QList<Entry> wanted = storedEntries();
    for (const ProfileDocument::Entry &entry : ProfileFile(shippedFile).read().entries()) {
        if (entry.key.compare(u"DlgName", Qt::CaseInsensitive) == 0)
            wanted.append({entry.section, entry.key});
    }
    QList<Entry> missing;
    QStringList standIns;
    QStringList names;
    for (const Entry &entry : std::as_const(wanted)) {
        if (!catalogue.text(entry.first, entry.second).trimmed().isEmpty() || missing.contains(entry))
            continue;
        missing.append(entry);
        standIns.append(shipped.text(entry.first, entry.second));
        names.append(entry.first + QLatin1Char('/') + entry.second);
    }
    if (missing.isEmpty())
        return true;
    catalogue.setStandIns(missing, standIns);
    notifier.error(OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgLangClew")),
                   OperatorText::catalogue(
                       QStringLiteral("Public"), QStringLiteral("MsgLangMissing"),
                       {QDir::toNativeSeparators(catalogue.filePath()), names.join(QStringLiteral(", "))}));
    return false;
}
