#pragma once

#include "recordingnotifier.h"

#include "core/base/dataroot.h"
#include "core/base/textcatalogue.h"
#include "core/store/systemdatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

// A data root in a temporary folder with its system database, the console's English texts and a clock
// that stands still, so that stamps are known and records made "at once" meet.
struct PrepareFixture
{
    QTemporaryDir dir;
    RecordingNotifier notifier;
    DataRoot root{dir.path()};
    SystemDatabase system{root, notifier};
    TextCatalogue catalogue{QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/menu_e.ini")};
    QDateTime now{QDate(2024, 5, 17), QTime(9, 30, 0)};

    PrepareFixture() { system.ensureExists(); }

    std::function<QDateTime()> clock()
    {
        return [this] { return now; };
    }
    QString english(const char *section, const char *key) const
    {
        return catalogue.text(QLatin1String(section), QLatin1String(key));
    }
    bool exists(const QString &relative) const { return QFileInfo::exists(root.filePath(relative)); }
    void write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(root.filePath(relative)).path());
        QFile file(root.filePath(relative));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    OperatorText lastText() const
    {
        return notifier.entries().isEmpty() ? OperatorText() : notifier.entries().last().text;
    }
};
