#pragma once

class QSqlRecord;
class QString;

// Copies one column of a row into a text of a record. A null value, or a column the row does not have,
// leaves the text as it was (empty in a fresh record); integers become their decimal text; anything else
// is taken as its text.
void readColumn(const QSqlRecord &row, const QString &column, QString &target);
