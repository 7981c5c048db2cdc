#pragma once

#include <QObject>
#include <QStringList>

class HallScreen;
class Link;
class OperatorNotifier;
class SystemDatabase;

// The basic-settings page (Frmbasicset): keypad count, chairman keypads, the port range of the search,
// the hall screen's size and colours, the operator password, and the ballot defaults. Every value is
// stored the moment it is applied, one statement per change, and only then takes effect: the running
// link gets a new keypad count or port range at once, the hall screen follows a new size or colour at
// once. A refused value or a failed store changes nothing and is never reported as a success.
class BasicSettingsController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BasicSettingsController)

public:
    // Keypads 1..249 answer on the link; 250..255 never name a keypad.
    static constexpr int MaxKeypads = 249;
    static constexpr int MaxPort = 99; // the port fields take two digits
    static constexpr int ScoreCount = 5;
    static constexpr int MaxScore = 100;
    static constexpr int PasswordLength = 50;

    // What the page shows, as loaded or as last stored.
    struct Fields
    {
        QString keypadCount;
        QString reservedCount;
        QString lowestPort;
        QString highestPort;
        QString screenSize;
        quint32 background = 0; // 0x00BBGGRR
        quint32 textColour = 0;
        QStringList scores; // ScoreCount decimal texts
        bool percentages = false;
        bool verdict = false;
    };

    enum class Password
    {
        Incomplete, // a field was empty: nothing changes
        Mismatch,   // new and confirmation differ: those two are emptied
        WrongOld,   // the old password is not the stored one: all three are emptied
        Changed,    // stored: all three are emptied
        NotStored,  // the database refused it: the fields stay for another try
    };

    // The sizes the page offers, in their order.
    static QStringList screenSizes();
    static QStringList factoryScores();

    BasicSettingsController(SystemDatabase &database, Link &link, HallScreen &hall,
                            OperatorNotifier &notifier, QObject *parent = nullptr);

    // Reads the settings afresh. `screenLeft` is the operator display's width: the hall screen's left edge.
    void open(int screenLeft);
    const Fields &fields() const { return m_fields; }
    bool isHallShown() const;

    // Each returns whether the value was stored.
    bool applyKeypadCount(const QString &text);
    bool applyReservedCount(const QString &text);
    bool applyPortRange(const QString &low, const QString &high);
    bool selectScreenSize(const QString &size);
    bool pickBackground(quint32 bgr);
    bool pickTextColour(quint32 bgr);
    Password changePassword(const QString &old, const QString &typed, const QString &confirmation);
    bool applyBallotDefaults(const QStringList &scores, bool percentages, bool verdict);
    // The scores and boxes as last loaded or stored.
    void cancelBallotDefaults();
    // The factory scores into the fields; stored only by applying them.
    void restoreFactoryScores();

    // Shows the hall screen at the stored size and colours, or hides it.
    void toggleHallScreen();

signals:
    // A keypad count other than the one in force was stored; `count` is the new one.
    void keypadCountChanged(int count);
    // The page must show fields() again: the ports after a refusal, the scores after cancel or reset.
    void portsChanged();
    void scoresChanged();

private:
    void placeHall();
    void tell(const char *key);

    SystemDatabase &m_database;
    Link &m_link;
    HallScreen &m_hall;
    OperatorNotifier &m_notifier;
    Fields m_fields;
    Fields m_stored; // scores and boxes as last loaded or stored
    int m_screenLeft = 0;
};
