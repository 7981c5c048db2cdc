#include "core/seating/seatplanfile.h"

#include "core/base/profiledocument.h"
#include "core/base/profilefile.h"

#include <algorithm>

namespace {
const QString InfoSection = QStringLiteral("appInfo");

QString seatSection(int number)
{
    return QStringLiteral("Control") + QString::number(number);
}

int number(const ProfileDocument &document, const QString &section, const QString &key)
{
    return ProfileFile::toInt(document.value(section, key).value_or(QString()));
}
} // namespace

SeatTable SeatPlanFile::load() const
{
    const ProfileDocument document = ProfileFile(m_path).read();
    SeatTable table;
    const int count =
        std::clamp(number(document, InfoSection, QStringLiteral("count")), 0, SeatTable::MaxSeats);
    for (int n = 1; n <= count; ++n) {
        const QString section = seatSection(n);
        const QString caption = ProfileFile::cut(
            document.value(section, QStringLiteral("caption")).value_or(QString()), ProfileFile::ValueLimit);
        table.append(caption, QPoint(number(document, section, QStringLiteral("left")),
                                     number(document, section, QStringLiteral("top"))));
    }
    return table;
}

bool SeatPlanFile::save(const SeatTable &table) const
{
    ProfileDocument document;
    bool ok = document.setValue(InfoSection, QStringLiteral("count"), QString::number(table.count()));
    for (int i = 0; i < table.count(); ++i) {
        const SeatRecord &seat = table.at(i);
        const QString section = seatSection(i + 1);
        // Right and bottom are written one past the last pixel, as the plan's rectangles always were.
        const std::pair<const char *, int> numbers[] = {
            {"left", seat.button.left()},       {"top", seat.button.top()},
            {"right", seat.button.right() + 1}, {"bottom", seat.button.bottom() + 1},
            {"left1", seat.label.left()},       {"top1", seat.label.top()},
            {"right1", seat.label.right() + 1}, {"bottom1", seat.label.bottom() + 1},
        };
        // A caption the file cannot hold (a line break) is written without what it cannot hold.
        QString caption = seat.caption;
        caption.remove(QLatin1Char('\n')).remove(QLatin1Char('\r')).remove(QChar(0));
        ok = document.setValue(section, QStringLiteral("caption"), caption) && ok;
        for (const auto &[key, value] : numbers)
            ok = document.setValue(section, QString::fromLatin1(key), QString::number(value)) && ok;
    }
    return ok && ProfileFile(m_path).write(document);
}
