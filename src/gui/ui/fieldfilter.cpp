#include "gui/ui/fieldfilter.h"

#include <QLineEdit>

namespace {

// How many characters before `cursor` in `typed` the filter dropped, when it only drops characters.
int removedBefore(const QString &typed, const QString &kept, int cursor)
{
    int removed = 0;
    qsizetype k = 0;
    for (qsizetype t = 0; t < typed.size() && t < cursor; ++t) {
        if (k < kept.size() && kept[k] == typed[t])
            ++k;
        else
            ++removed;
    }
    return removed;
}

} // namespace

void filterField(QLineEdit *field, std::function<QString(const QString &)> filter)
{
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [field, filter = std::move(filter)](const QString &text) {
                         const QString kept = filter(text);
                         if (kept == text)
                             return;
                         const int cursor = field->cursorPosition();
                         field->setText(kept);
                         field->setCursorPosition(std::max(0, cursor - removedBefore(text, kept, cursor)));
                     });
}
