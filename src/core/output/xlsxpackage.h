#pragma once

#include "core/output/sheetreading.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

typedef struct zip zip_t;

// The zip package of an Office Open XML workbook, opened from its bytes with libzip: its parts by name and
// the relationships that lead from one part to the next. Every part is read against the limits: the size
// a zip entry claims is not believed, the inflated bytes are counted as they come.
class XlsxPackage final
{
    Q_DISABLE_COPY_MOVE(XlsxPackage)

public:
    struct Relationship
    {
        QString id;
        QString type;   // the type's URI; only its last segment ("worksheet") matters here
        QString target; // the part it leads to, as a name inside the package
    };

    // The bytes must stay alive and unchanged while the package is open.
    XlsxPackage(QByteArrayView bytes, const SheetLimits &limits);
    ~XlsxPackage();

    // None when the package opened.
    SheetReading::Failure failure() const { return m_failure; }

    // A part by its name ("xl/workbook.xml"), compared without case as the format wants. A missing part
    // gives false with no failure; a damaged or oversized part sets the failure.
    bool read(const QString &partName, QByteArray &bytes);
    // The relationships of a part; "" names the package itself. A part without any gives an empty list.
    QList<Relationship> relationships(const QString &partName);
    // The first relationship of the type that ends in "/" + typeName, or an empty one.
    static Relationship find(const QList<Relationship> &relationships, QStringView typeName);

    // A relationship's target as a part name: relative to the folder of the source part, or absolute.
    static QString resolve(const QString &sourcePart, const QString &target);

private:
    SheetLimits m_limits;
    zip_t *m_zip = nullptr;
    qint64 m_bytesRead = 0;
    SheetReading::Failure m_failure = SheetReading::Failure::None;
};
