#include "font_substitutes.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace mirte {

namespace {

struct Substitute {
    const char* windowsName;
    const char* ipaName;
};

// Proportional names go to the proportional IPA fonts, fixed-pitch names to the fixed ones.
constexpr Substitute kSubstitutes[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic"},  {"MS PGothic", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},     {"MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},      {"MS PMincho", "IPAPMincho"},
    {"ＭＳ 明朝", "IPAMincho"},         {"MS Mincho", "IPAMincho"},
    {"ＭＳ ＵＩ Gothic", "IPAPGothic"}, {"MS UI Gothic", "IPAPGothic"},
};

} // namespace

void InstallFontSubstitutes() {
    for (const Substitute& s : kSubstitutes) {
        const QString name = QString::fromUtf8(s.windowsName);
        if (!QFont::substitutes(name).contains(QString::fromUtf8(s.ipaName))) {
            QFont::insertSubstitution(name, QString::fromUtf8(s.ipaName));
        }
    }
}

} // namespace mirte
