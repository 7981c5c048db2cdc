#pragma once

#include <QtGlobal>

#include <array>

// The four-byte frame that crosses the serial line in both directions: three bytes of payload and a
// checksum that makes the four bytes sum to 0xFF. Frames carry no start marker and no length.
struct LinkFrame
{
    std::array<quint8, 4> bytes{};

    static constexpr quint8 KeypadKind = 0xF9;
    static constexpr quint8 RequestStatusKind = 0xE0;

    // Only the low 24 bits of a command value go on the line, high byte first.
    static LinkFrame fromCommand(quint32 commandValue);
    static LinkFrame fromBytes(quint8 b0, quint8 b1, quint8 b2, quint8 b3);
    // Builds a well-formed frame around three payload bytes.
    static LinkFrame withChecksum(quint8 b0, quint8 b1, quint8 b2);
    static quint8 checksum(quint8 b0, quint8 b1, quint8 b2);

    bool isValid() const;
    quint8 kind() const { return bytes[0]; }
    quint8 data() const { return bytes[1]; }
    quint8 keypad() const { return bytes[2]; }
    quint32 commandValue() const { return quint32(bytes[0]) << 16 | quint32(bytes[1]) << 8 | bytes[2]; }

    bool operator==(const LinkFrame &) const = default;
};
