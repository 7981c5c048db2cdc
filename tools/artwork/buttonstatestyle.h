#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>

// The four looks of a picture button come from one SVG per button. The source is drawn in the normal
// look with a handful of role colours (tile face, tile edge, line ink, accent, shadow); every other look
// is the same drawing with those colours swapped, and the pressed look also sinks by two pixels.
class ButtonStateStyle final
{
public:
    enum class State
    {
        Normal,
        Hover,
        Pressed,
        Disabled
    };

    static QList<State> states();
    static QString suffix(State state);
    // The normal-look colours a button source must use for its tile and its lines, lower case.
    static QList<QByteArray> roleColours();
    static QByteArray restyle(const QByteArray &svg, State state);
    static QPoint offset(State state);
};
