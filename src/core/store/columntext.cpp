#include "core/store/columntext.h"

#include <QSqlField>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

void readColumn(const QSqlRecord &row, const QString &column, QString &target)
{
    const int index = row.indexOf(column);
    if (index < 0)
        return;
    const QVariant value = row.value(index);
    if (value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        target = QString::number(value.toLongLong());
        break;
    default:
        target = value.toString();
        break;
    }
}
