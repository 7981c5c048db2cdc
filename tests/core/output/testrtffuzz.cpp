// Runs the rich-text reader over thousands of damaged variants of real documents: cut short, bytes
// changed, pieces of rich-text syntax dropped in, pieces repeated or removed. The variants come from a
// fixed seed, so a failure is repeatable; the sanitizer build turns any memory fault into a failure.
#include "core/output/rtfreader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>

#include "core/output/rtfwriter.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray sample(const QString &name)
{
    QFile f(QStringLiteral(QUORIX_RTF_SAMPLES) + u'/' + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", qPrintable(name));
    return f.readAll();
}

// Pieces of the syntax most likely to reach the reader's corners.
const char *const Tokens[] = {
    "{",
    "}",
    "\\",
    "\\'",
    "\\'c4\\'e3",
    "\\u-1",
    "\\u65535?",
    "\\u-10179",
    "\\uc0",
    "\\uc9 ",
    "\\bin",
    "\\bin4 ",
    "\\bin-1",
    "\\*",
    "{\\*\\x ",
    "\\pict",
    "{\\pict\\pngblip ",
    "{\\pict\\dibitmap0 28000000",
    "{\\pict\\wbitmap0\\picw9999\\pich9999\\wbmbitspixel24 ",
    "\\picwgoal-5",
    "\\picscalex0",
    "\\par",
    "\\cell",
    "\\row",
    "\\f999",
    "\\fcharset134 ",
    "\\cpg936",
    "\\ansicpg65001",
    "\\ansicpg932",
    "\\cf-1",
    "\\cf2147483647",
    "\\fs-4",
    "{\\fonttbl",
    "{\\colortbl;",
    "\\red999",
    ";",
    "\\plain",
    "\\pard",
    "\\v",
    "\\line",
    "\\tab",
    "\\~",
    "\\-",
    "89504e470d0a1a0a",
    "ffd8ffe0",
    "0000000000000000ffffffff",
};

QByteArray mutate(QByteArray data, QRandomGenerator &random)
{
    const int steps = 1 + int(random.bounded(4));
    for (int s = 0; s < steps; ++s) {
        const qsizetype size = data.size();
        const qsizetype at = size > 0 ? qsizetype(random.bounded(quint32(size))) : 0;
        switch (random.bounded(6)) {
        case 0: // cut short
            data.truncate(at);
            break;
        case 1: // change a byte
            if (size > 0)
                data[at] = char(random.bounded(256));
            break;
        case 2: { // drop in a piece of syntax
            const auto n = sizeof(Tokens) / sizeof(Tokens[0]);
            data.insert(at, Tokens[random.bounded(quint32(n))]);
            break;
        }
        case 3: // remove a stretch
            data.remove(at, qsizetype(random.bounded(64)));
            break;
        case 4: { // repeat a stretch
            const QByteArray piece = data.mid(at, qsizetype(random.bounded(200)));
            data.insert(at, piece);
            break;
        }
        default: // an unbalanced run of braces
            data.insert(at, QByteArray(qsizetype(random.bounded(600)), random.bounded(2) ? '{' : '}'));
            break;
        }
    }
    return data;
}

} // namespace

class TestRtfFuzz final : public QObject
{
    Q_OBJECT

private slots:
    void damagedDocumentsNeverBreakTheReader();
};

void TestRtfFuzz::damagedDocumentsNeverBreakTheReader()
{
    QList<QByteArray> seeds{sample(u"banner-cp936.rtf"_s), sample(u"motion-word.rtf"_s),
                            sample(u"bitmaps.rtf"_s)};
    {
        QTextDocument d;
        RtfReader::read(seeds[1], d);
        seeds.append(RtfWriter::write(d));
    }
    QRandomGenerator random(20261207);
    QElapsedTimer clock;
    clock.start();
    int runs = 0;
    // A fixed number of variants, or fewer when a slow (sanitized) build would take too long.
    // A fixed number of variants, not a time budget: a loaded machine must not fail the test by running fewer.
    for (; runs < 2000; ++runs) {
        const QByteArray variant = mutate(seeds[runs % seeds.size()], random);
        QTextDocument d;
        RtfReader::read(variant, d);
        // Every character of the document comes from at least one byte of the input.
        QVERIFY2(d.characterCount() <= variant.size() + 2, qPrintable(u"variant %1"_s.arg(runs)));
    }
    qInfo("%d variants in %lld ms", runs, qint64(clock.elapsed()));
}

QTEST_MAIN(TestRtfFuzz)
#include "testrtffuzz.moc"
