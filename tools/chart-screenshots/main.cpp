// Paints each screen of the chart control and the name board at a hall screen's size into PNG files:
//   quorix-chart-screenshots OUTPUT_DIR [WIDTHxHEIGHT]
// The texts stand in for the Chinese language file; the results are those of a plausible meeting.

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QRegularExpression>

#include "core/counting/ballottally.h"
#include "core/output/chartmodel.h"
#include "core/output/chartpainter.h"
#include "core/output/nameboard.h"
#include "core/output/nameboardpainter.h"
#include "core/output/resultviewcontroller.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString catalogue(QStringView section, QStringView key)
{
    static const QHash<QString, QString> texts{
        {u"Public/VoteTitle"_s, u"表决结果"_s},     {u"Public/VoteType1"_s, u"表决"_s},
        {u"Public/VoteType2"_s, u"选举(三选一)"_s}, {u"Public/VoteType3"_s, u"选举(三选多)"_s},
        {u"Public/VoteType4"_s, u"选举(五选一)"_s}, {u"Public/VoteType5"_s, u"选举(五选多)"_s},
        {u"Public/VoteType6"_s, u"评分"_s},         {u"Public/VoteType7"_s, u"测评"_s},
        {u"FrmResult/strYD"_s, u"应到"_s},          {u"FrmResult/strQD"_s, u"实到"_s},
        {u"FrmResult/MsgVote1"_s, u"赞成"_s},       {u"FrmResult/MsgVote2"_s, u"反对"_s},
        {u"FrmResult/MsgVote3"_s, u"弃权"_s},       {u"FrmResult/MsgVote4"_s, u"未按键"_s},
        {u"FrmResult/MsgClewNokey"_s, u"未按键"_s}, {u"FrmResult/MsgClewMark"_s, u"平均得分"_s},
    };
    return texts.value(section.toString() + u'/' + key.toString());
}

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

struct ResultShot
{
    QString file;
    VoteType type;
    QString candidate;
    QString result;
    ResultStyle style;
    int percentages;
};

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser options;
    options.addPositionalArgument(u"dir"_s, u"where the PNG files go"_s);
    options.addPositionalArgument(u"size"_s, u"WIDTHxHEIGHT, 1920x1080 unless given"_s);
    options.addHelpOption();
    options.process(app);
    const QStringList args = options.positionalArguments();
    if (args.isEmpty())
        options.showHelp(2);
    QSize size(1920, 1080);
    if (args.size() > 1) {
        const QRegularExpressionMatch m = QRegularExpression(u"^(\\d+)x(\\d+)$"_s).match(args[1]);
        if (!m.hasMatch()) {
            std::fprintf(stderr, "size must be WIDTHxHEIGHT\n");
            return 2;
        }
        size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    }
    QDir dir(args[0]);
    if (!dir.mkpath(u"."_s)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(args[0]));
        return 1;
    }
    const QString suffix =
        size == QSize(1920, 1080) ? QString() : u"-%1x%2"_s.arg(size.width()).arg(size.height());
    bool ok = true;

    const QString ballot = u"1:50:48:30:10:8:5:60.00%:20.00%:16.00%:第一号议案 通过:"_s;
    const QList<ResultShot> shots{
        {u"chart-bar-ballot"_s, VoteType::YesNo, {}, ballot, ResultStyle::Bar, 1},
        {u"chart-pie-ballot"_s, VoteType::YesNo, {}, ballot, ResultStyle::Pie, 1},
        {u"chart-table-ballot"_s, VoteType::YesNo, {}, ballot, ResultStyle::Table, 1},
        {u"chart-bar-election"_s, VoteType::ElectSeveralOfFive, u"王建国:李秀英:张伟:刘芳:陈志强:"_s,
         u"36:29:41:18:22:"_s, ResultStyle::Bar, 2},
        {u"chart-pie-election"_s, VoteType::ElectOneOfThree, u"王建国:李秀英:张伟:"_s, u"21:17:10:"_s,
         ResultStyle::Pie, 2},
        {u"chart-pie-election-novotes"_s, VoteType::ElectOneOfThree, u"王建国:李秀英:张伟:"_s, u"0:0:0:"_s,
         ResultStyle::Pie, 2},
        {u"chart-table-election"_s, VoteType::ElectOneOfFive, u"王建国:李秀英:张伟:刘芳:陈志强:"_s,
         u"12:9:15:4:6:"_s, ResultStyle::Table, 2},
        {u"chart-table-scoring"_s, VoteType::Scoring, {}, u"8.67:"_s, ResultStyle::Table, 2},
        {u"chart-bar-appraisal"_s,
         VoteType::Appraisal,
         {},
         u"2:50:48:33:9:4:2:66.00%:18.00%:8.00%:满意:"_s,
         ResultStyle::Bar,
         2},
    };
    const ResultViewTexts texts = ResultViewTexts::lookUp(catalogue);
    for (const ResultShot &shot : shots) {
        ChartModel chart;
        ResultViewController view(texts);
        view.addChart(&chart);
        view.open({u"2026年度代表大会"_s, u"第一号议案"_s, shot.type, shot.candidate, shot.result,
                   u"2026/12/07/-18:30:05"_s, shot.percentages, size});
        view.showView(shot.style);
        ok = save(ChartPainter::render(chart, size), dir, shot.file + suffix + u".png"_s) && ok;
    }

    const QColor white(255, 255, 255);
    const QColor blue(0, 0, 255);
    {
        ChartModel chart;
        chart.setColours(blue, blue);
        chart.setScreen(4, 0);
        chart.showMessage(u"请 王建国 代表发言"_s, u"第三代表团"_s, u"发言时间 5 分钟"_s, white);
        ok = save(ChartPainter::render(chart, size), dir, u"chart-message"_s + suffix + u".png"_s) && ok;
    }
    {
        ChartModel chart;
        chart.setColours(blue, blue);
        chart.setCaption(u"请按相应键投票"_s, white);
        chart.setScreen(5, 5);
        chart.showKeyLegend(u"1 键:2 键:3 键:4 键:5 键:王建国:李秀英:张伟:刘芳:陈志强:"_s,
                            u"可选多人，以最后一次按键为准"_s, white);
        ok = save(ChartPainter::render(chart, size), dir, u"chart-legend"_s + suffix + u".png"_s) && ok;
    }
    {
        NameBoard board;
        board.setColours(blue, white);
        board.setFont(size.width() == 800 ? 320 : 450, u"粗体"_s);
        board.setGrid(9, 3);
        board.setTitle(u"已签到代表 (第 1 页)"_s);
        const QStringList names{u"王建国"_s, u"李秀英"_s, u"张伟"_s,   u"刘芳"_s, u"陈志强"_s, u"杨静"_s,
                                u"赵磊"_s,   u"黄丽"_s,   u"周杰"_s,   u"吴敏"_s, u"徐强"_s,   u"孙燕"_s,
                                u"马超"_s,   u"朱红"_s,   u"胡军"_s,   u"郭婷"_s, u"何平"_s,   u"高峰"_s,
                                u"林晓东"_s, u"罗佳"_s,   u"郑国庆"_s, u"梁雪"_s, u"谢明"_s,   u"宋丹"_s};
        board.setNames(names, int(names.size()));
        ok = save(NameBoardPainter::render(board, size), dir, u"nameboard"_s + suffix + u".png"_s) && ok;
    }
    return ok ? 0 : 1;
}
