#include "buttonstatestyle.h"

#include <QHash>
#include <QRegularExpression>

namespace {
// Role colours in the order face, edge, ink, accent, shadow; one row per state.
constexpr int roleCount = 5;
constexpr const char *palette[4][roleCount] = {
    {"#ffffff", "#d3dce7", "#1e3a5f", "#2a9d96", "#0f1e33"}, // normal: exactly what the sources hold
    {"#f2f9f9", "#2a9d96", "#16314f", "#2a9d96", "#0f1e33"}, // hover: teal edge, faint teal face
    {"#e4f0f1", "#2a9d96", "#16314f", "#1f7f79", "none"},    // pressed: deeper face, no shadow
    {"#f3f5f8", "#e1e6ec", "#aab5c3", "#c3ccd6", "none"},    // disabled: flat and grey
};

int row(ButtonStateStyle::State state)
{
    return static_cast<int>(state);
}
} // namespace

QList<ButtonStateStyle::State> ButtonStateStyle::states()
{
    return {State::Normal, State::Hover, State::Pressed, State::Disabled};
}

QString ButtonStateStyle::suffix(State state)
{
    switch (state) {
    case State::Normal:
        return QStringLiteral("normal");
    case State::Hover:
        return QStringLiteral("hover");
    case State::Pressed:
        return QStringLiteral("pressed");
    case State::Disabled:
        return QStringLiteral("disabled");
    }
    return {};
}

QList<QByteArray> ButtonStateStyle::roleColours()
{
    QList<QByteArray> colours;
    for (const char *colour : palette[0])
        colours << QByteArray(colour);
    return colours;
}

QByteArray ButtonStateStyle::restyle(const QByteArray &svg, State state)
{
    if (state == State::Normal)
        return svg;
    // One pass over all colours at once: hover maps the edge onto the accent's value, so replacing role
    // by role would recolour the same pixels twice.
    QHash<QString, QString> swap;
    for (int role = 0; role < roleCount; ++role)
        swap.insert(QLatin1String(palette[0][role]), QLatin1String(palette[row(state)][role]));
    static const QRegularExpression hexColour(QStringLiteral("#[0-9a-fA-F]{6}\\b"));
    const QString text = QString::fromUtf8(svg);
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (auto it = hexColour.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(from, match.capturedStart() - from);
        const QString colour = match.captured().toLower();
        result += swap.value(colour, match.captured());
        from = match.capturedEnd();
    }
    result += QStringView(text).mid(from);
    return result.toUtf8();
}

QPoint ButtonStateStyle::offset(State state)
{
    return state == State::Pressed ? QPoint(0, 2) : QPoint(0, 0);
}
