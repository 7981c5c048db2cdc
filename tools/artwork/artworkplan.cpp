#include "artworkplan.h"

#include "buttonstatestyle.h"

QList<ArtworkPlan::Item> ArtworkPlan::items()
{
    const QSize hub(1024, 741);
    const QSize button(128, 128);
    const QSize seat(42, 42);
    return {
        {QStringLiteral("MainBmp.svg"), QStringLiteral("MainBmp"), hub, Kind::Background},
        {QStringLiteral("ConferenceBmp.svg"), QStringLiteral("ConferenceBmp"), hub, Kind::Background},
        {QStringLiteral("PrepareBmp.svg"), QStringLiteral("PrepareBmp"), hub, Kind::Background},
        {QStringLiteral("ManageBmp.svg"), QStringLiteral("ManageBmp"), hub, Kind::Background},
        {QStringLiteral("MonitorBmp.svg"), QStringLiteral("MonitorBmp"), hub, Kind::Background},
        {QStringLiteral("NeterBmp.svg"), QStringLiteral("NeterBmp"), QSize(654, 435), Kind::Background},
        {QStringLiteral("LogoBmp.svg"), QStringLiteral("LogoBmp"), QSize(510, 480), Kind::Background},
        {QStringLiteral("SyssetBmp.svg"), QStringLiteral("SyssetBmp"), hub, Kind::Background},
        {QStringLiteral("BtnSettings.svg"), QStringLiteral("BtnSettings"), button, Kind::Button},
        {QStringLiteral("BtnPrepare.svg"), QStringLiteral("BtnPrepare"), button, Kind::Button},
        {QStringLiteral("BtnConference.svg"), QStringLiteral("BtnConference"), button, Kind::Button},
        {QStringLiteral("BtnManage.svg"), QStringLiteral("BtnManage"), button, Kind::Button},
        {QStringLiteral("BtnExit.svg"), QStringLiteral("BtnExit"), button, Kind::Button},
        {QStringLiteral("BtnMonitor.svg"), QStringLiteral("BtnMonitor"), button, Kind::Button},
        {QStringLiteral("BtnHelp.svg"), QStringLiteral("BtnHelp"), button, Kind::Button},
        {QStringLiteral("quorix.svg"), QStringLiteral("quorix"), QSize(256, 256), Kind::Icon},
        {QStringLiteral("SeatClosed.svg"), QStringLiteral("SeatClosed"), seat, Kind::Picture},
        {QStringLiteral("SeatOpen.svg"), QStringLiteral("SeatOpen"), seat, Kind::Picture},
        {QStringLiteral("SeatOffline.svg"), QStringLiteral("SeatOffline"), seat, Kind::Picture},
        {QStringLiteral("SeatLocked.svg"), QStringLiteral("SeatLocked"), seat, Kind::Picture},
        {QStringLiteral("SeatRequest.svg"), QStringLiteral("SeatRequest"), seat, Kind::Picture},
        {QStringLiteral("RoomSample.svg"), QStringLiteral("RoomSample"), QSize(810, 550), Kind::Picture},
    };
}

QList<int> ArtworkPlan::smallIconSizes()
{
    return {16, 32, 48};
}

QStringList ArtworkPlan::outputFiles(const Item &item)
{
    QStringList files;
    switch (item.kind) {
    case Kind::Background:
        files << item.output + QStringLiteral(".bmp");
        break;
    case Kind::Button:
        for (const ButtonStateStyle::State state : ButtonStateStyle::states())
            files << item.output + QLatin1Char('_') + ButtonStateStyle::suffix(state) +
                         QStringLiteral(".png");
        break;
    case Kind::Picture:
        files << item.output + QStringLiteral(".png");
        break;
    case Kind::Icon:
        files << item.output + QStringLiteral(".png");
        for (const int side : smallIconSizes())
            files << item.output + QLatin1Char('_') + QString::number(side) + QStringLiteral(".png");
        break;
    }
    return files;
}
