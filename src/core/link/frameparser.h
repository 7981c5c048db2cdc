#pragma once

class CommandSequencer;
class KeypadTable;
struct LinkFrame;

// Writes what a received frame says into the keypad table, by the current link mode: a keypad frame
// means a base-station answer while searching, a roll-call answer, a sign-in state or a ballot key code;
// request status frames set and clear speaking requests in every mode.
class FrameParser
{
public:
    FrameParser(KeypadTable &table, CommandSequencer &sequencer);

    void apply(const LinkFrame &frame);

private:
    void applyKeypadFrame(const LinkFrame &frame);
    void applyRequestStatus(const LinkFrame &frame);

    KeypadTable &m_table;
    CommandSequencer &m_sequencer;
};
