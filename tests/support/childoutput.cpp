#include "childoutput.h"

#include <QTextStream>

void StderrNotifier::print(const OperatorText &text)
{
    QTextStream(stderr) << (text.isCatalogue() ? text.key : text.literal) << Qt::endl;
}

void sayToParent(const QString &line)
{
    QTextStream(stdout) << line << Qt::endl;
}
