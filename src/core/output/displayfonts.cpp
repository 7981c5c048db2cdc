#include "core/output/displayfonts.h"

#include <QFontDatabase>

#include <algorithm>
#include <cmath>

namespace {

using namespace Qt::StringLiterals;

QString firstInstalled(const QStringList &preferences, const QString &otherwise)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &f : preferences) {
        if (installed.contains(f, Qt::CaseInsensitive))
            return f;
    }
    return otherwise;
}

bool isInstalled(const QString &family)
{
    return !family.isEmpty() && QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

// Face names of the Chinese Windows fonts a stored setting may name; none of them exists here.
bool isChineseFace(const QString &face)
{
    static const QStringList faces{
        u"黑体"_s,   u"粗体"_s,    u"宋体"_s,  u"新宋体"_s,          u"楷体"_s,
        u"仿宋"_s,   u"隶书"_s,    u"幼圆"_s,  u"微软雅黑"_s,        u"SimHei"_s,
        u"SimSun"_s, u"NSimSun"_s, u"KaiTi"_s, u"Microsoft YaHei"_s, u"FangSong"_s};
    return faces.contains(face, Qt::CaseInsensitive);
}

QFont withStrategy(QFont f)
{
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}

} // namespace

QString DisplayFonts::heiFamily()
{
    static const QString family = firstInstalled(
        {u"SimHei"_s, u"黑体"_s, u"Microsoft YaHei"_s, u"Noto Sans CJK SC"_s, u"Source Han Sans SC"_s,
         u"WenQuanYi Micro Hei"_s, u"WenQuanYi Zen Hei"_s, u"Noto Sans SC"_s, u"Droid Sans Fallback"_s},
        QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return family;
}

QString DisplayFonts::arialFamily()
{
    static const QString family = firstInstalled(
        {u"Arial"_s, u"Liberation Sans"_s, u"Arimo"_s, u"Nimbus Sans"_s, u"Helvetica"_s, u"DejaVu Sans"_s},
        heiFamily());
    return family;
}

QStringList DisplayFonts::familiesFor(const QString &face)
{
    QString first;
    if (face.compare(u"Arial"_s, Qt::CaseInsensitive) == 0)
        first = arialFamily();
    else if (isInstalled(face))
        first = face;
    else if (face.isEmpty() || isChineseFace(face))
        first = heiFamily();
    else
        first = arialFamily();
    QStringList families{first};
    if (first != heiFamily())
        families.append(heiFamily());
    return families;
}

int DisplayFonts::pixelSizeFromTenths(int tenths)
{
    return std::max(1, int(std::lround(double(tenths) * 96.0 / 720.0)));
}

QFont DisplayFonts::hei(int pixelSize)
{
    QFont f;
    f.setFamilies({heiFamily()});
    f.setPixelSize(std::max(1, pixelSize));
    return withStrategy(f);
}

QFont DisplayFonts::arial(int pixelSize)
{
    QFont f;
    f.setFamilies(familiesFor(u"Arial"_s));
    f.setPixelSize(std::max(1, pixelSize));
    return withStrategy(f);
}

QFont DisplayFonts::font(const QString &face, int tenths)
{
    QFont f;
    f.setFamilies(familiesFor(face));
    f.setPixelSize(pixelSizeFromTenths(tenths));
    // "粗体" names no face but a weight: bold type.
    if (face == u"粗体"_s)
        f.setBold(true);
    return withStrategy(f);
}
