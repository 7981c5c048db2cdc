#pragma once

// What the base station link is doing; windows post a mode, the sequencer acts on it at its next tick.
// The numbers are the ones the windows and the base-station protocol have always used (9 is unused).
enum class LinkMode : int {
    BaseStationSearch = 1,
    StartupRollCall = 2,
    MonitorRollCall = 3,
    CameraCommand = 4,
    SpeechCommand = 5,
    PlainCommand = 6,
    SignInFinalPass = 7,
    SignInPolling = 8,
    VoteCommand = 10,
    VotePolling = 11,
    VoteFinalPass = 12,
    SingleKeypadQuery = 13,
    Idle = 14,
    VoteClosingCommand = 15,
};

// The command values the console sends, as 24-bit numbers.
namespace Command {
constexpr unsigned Poll = 0xFA0000;         // OR keypad number
constexpr unsigned Probe = 0xFA0001;        // the base-station search's question on every port
constexpr unsigned PhaseStart = 0xF0010F;
constexpr unsigned PhaseEnd = 0xF00120;
constexpr unsigned SignInStart = 0xF40102;
constexpr unsigned SignInFill = 0xF40104;
constexpr unsigned SignInEnd = 0xF40105;
constexpr unsigned SignInKeypad = 0xF30000; // OR keypad number
// Ballot start by the keys a ballot offers and whether a keypad may press several.
constexpr unsigned BallotStartThree = 0xF75501;
constexpr unsigned BallotStartFive = 0xF75503;
constexpr unsigned BallotStartFiveSeveral = 0xF75505;
constexpr unsigned BallotStartThreeSeveral = 0xF75507;
constexpr unsigned BallotEnd = 0xF75508;
constexpr unsigned MicCloseAll = 0xFBFFFF;
constexpr unsigned MicClose = 0xFB0000;     // OR keypad number
constexpr unsigned MicOpen = 0xFC0000;      // OR keypad number
constexpr unsigned Exclude = 0xF20000;      // OR keypad number: keypad locked out
constexpr unsigned Include = 0xF20800;      // OR keypad number: lock lifted
constexpr unsigned SpeechMode = 0xFE0000;   // OR (mode << 8) OR speaker count
} // namespace Command
