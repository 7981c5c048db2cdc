#include "motionfixture.h"

#include <QFile>
#include <QTemporaryDir>

QString writeVotingLanguageFile(const QTemporaryDir &dir)
{
    QFile file(dir.filePath(QStringLiteral("menu_vote.ini")));
    file.open(QIODevice::WriteOnly);
    file.write(
        "[Public]\nVoteType1=T1\nVoteType2=T2\nVoteType3=T3\nVoteType4=T4\nVoteType5=T5\nVoteType6=T6\n"
        "VoteType7=T7\n"
        "[FrmMeeVote]\ncbBaseOne=due\ncbBaseTwo=present\ncbAbetOne=more\ncbAbetTwo=least\nDateYes=Voted\n"
        "DateNo=Ready\nDateBreak=Halted\nMsgLogFirst=sign in first\nMsgClew=Notice\nstrYD=Due\nstrQD=Present\n"
        "[FrmScrText]\nPassVoteOk=passed\nPassVoteNo=failed\nStaticVote3=ended\nStaticVote4=counting\n"
        "Static4=Yes\nStatic5=No\nStatic6=Abstain\nStatic7=None\nStatic8=Average\n"
        "ScrVoteNow=press now\nScrBallotReport=Results\nScrCountDown=Count down %1\n"
        "[FrmManChe]\nMsgScrView9=present\nMsgScrView10=absent\n");
    file.close();
    return file.fileName();
}

MotionRecord motionOfType(const QString &name, int typeNumber, const QString &insertdate)
{
    MotionRecord m;
    m.OveName = name;
    m.OveType = QStringLiteral("T%1").arg(typeNumber);
    m.VoteBase = QStringLiteral("present");
    m.VoteAbet = QStringLiteral("least");
    m.VoteAbetValue = QStringLiteral("50");
    m.VoteTimelRes = QStringLiteral("2");
    m.VoteTimelValue = QStringLiteral("5");
    m.Unit = QStringLiteral("2");
    m.ViewPer = QStringLiteral("1");
    m.ViewPass = QStringLiteral("1");
    m.VoteDll = QStringLiteral("1");
    m.ytText = QStringLiteral("Motion ");
    m.VoteState = QStringLiteral("Ready");
    m.insertdate = insertdate;
    if (typeNumber >= 2 && typeNumber <= 5)
        m.candidate = QStringLiteral("Ana:Bo:Chen:Dita:Eli:");
    if (typeNumber == 6 || typeNumber == 7)
        m.mark = QStringLiteral("10:8:6:4:2:");
    return m;
}
