#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

// The texts the result window, the text player and the screen text editor read, with short values, as a
// language file in `dir`; returns its path.
inline QString writeOutputLanguageFile(const QTemporaryDir &dir)
{
    QFile file(dir.filePath(QStringLiteral("menu_output.ini")));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(
        "[Public]\nVoteType1=T1\nVoteType2=T2\nVoteType3=T3\nVoteType4=T4\nVoteType5=T5\nVoteType6=T6\n"
        "VoteType7=T7\nVoteTitle=Ballot result\n"
        "RiceUndo=Undo\nRiceCut=Cut\nRiceCopy=Copy\nRicePaste=Paste\nRiceClear=Delete\n"
        "RiceSele=Select all\nRiceSetFont=Font\n"
        "[FrmResult]\nIDC_VOTE_NAME=Motion:\nIDC_STATIC_VOTETYPE=Type:\n"
        "IDC_STATIC_CANDIDATE1=C1:\nIDC_STATIC_CANDIDATE2=C2:\nIDC_STATIC_CANDIDATE3=C3:\n"
        "IDC_STATIC_CANDIDATE4=C4:\nIDC_STATIC_CANDIDATE5=C5:\nIDC_STATIC_POLLTIME=Time:\n"
        "IDC_RADIO_TEXTDRAW=Table\nIDC_RADIO_HISTDRAW=Bars\nIDC_RADIO_FANDRAW=Pie\n"
        "IDC_BNT_SENSCR=Send\nIDC_RESULT_EXIT=Close\n"
        "MsgClewNokey=No key\nMsgClewMark=Average\nMsgVote1=Yes\nMsgVote2=No\nMsgVote3=Abstain\n"
        "MsgVote4=None\nstrYD=Due\nstrQD=Present\n"
        "[FrmFile]\nIDC_OPENTEXT_BUTTON=Open\nBtnAuto=Auto\nBtnPause=Pause\nIDC_REVSENT_BUTTON=Restart\n"
        "IDC_NEXTSENT_BUTTON=Next sentence\nIDC_TOPSENT_BUTTON=Previous sentence\n"
        "IDC_CLEW_SIGNOK=Apply\n"
        "[FrmInser]\nDlgName=Screen text\nIDC_SEND_INSBNT=Send\nIDOK=Close\n"
        "[FrmScrText]\nScrBallotReport=Results\n");
    return file.fileName();
}
