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
constexpr unsigned SpeechModeFree = 0xFE8103;
constexpr unsigned SpeechModeReplace = 0xFE0401;
constexpr unsigned SpeechModeQueue = 0xFE0201;
// Camera commands are E6 op 55: the base station relays op to the camera line.
constexpr unsigned Camera = 0xE60055;       // OR (op << 8)
constexpr unsigned CameraSelect = 0xE60055; // OR (camera 1..8 << 8)
constexpr unsigned CameraRs422 = 0xE6F455;
constexpr unsigned CameraRs232 = 0xE6F555;
constexpr unsigned CameraPelcoD = 0xE68A55;
constexpr unsigned CameraVisca = 0xE68B55;
constexpr unsigned CameraUp = 0xE6CC55;
constexpr unsigned CameraLeft = 0xE69E55;
constexpr unsigned CameraRight = 0xE69C55;
constexpr unsigned CameraDown = 0xE6C655;
constexpr unsigned CameraZoomNear = 0xE6F855;
constexpr unsigned CameraZoomFar = 0xE6C055;
constexpr unsigned CameraIrisOpen = 0xE6FC55;
constexpr unsigned CameraIrisClose = 0xE6FE55;
constexpr unsigned CameraStop = 0xE6CF55;
constexpr unsigned CameraSpeedUp = 0xE6E655;
constexpr unsigned CameraSpeedDown = 0xE6CE55;
constexpr unsigned CameraHome = 0xE6F655;
constexpr unsigned CameraStorePreset = 0xE6F055;
constexpr unsigned CameraClearPresets = 0xE6F255;
} // namespace Command
