#include "core/link/linkframe.h"

LinkFrame LinkFrame::fromCommand(quint32 commandValue)
{
    return withChecksum(quint8(commandValue >> 16), quint8(commandValue >> 8), quint8(commandValue));
}

LinkFrame LinkFrame::fromBytes(quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    return LinkFrame{{b0, b1, b2, b3}};
}

LinkFrame LinkFrame::withChecksum(quint8 b0, quint8 b1, quint8 b2)
{
    return LinkFrame{{b0, b1, b2, checksum(b0, b1, b2)}};
}

quint8 LinkFrame::checksum(quint8 b0, quint8 b1, quint8 b2)
{
    return quint8((b0 + b1 + b2) ^ 0xFF);
}

bool LinkFrame::isValid() const
{
    return quint8(bytes[0] + bytes[1] + bytes[2] + bytes[3]) == 0xFF;
}
