#include "jacket_settings.h"

#include "util/ini_file.h"

namespace mirte {

namespace {

const QString kSection = QString::fromLatin1(jacket::kSection);

} // namespace

namespace jacket {

int LayoutCode(int entry) {
    switch (entry) {
    case 0:
        return 0;
    case 1:
        return 2;
    case 2:
        return 1;
    default:
        return 3;
    }
}

int QuarterTurns(int count) {
    return ((count % 4) + 4) % 4;
}

TJacketSettings Defaults() {
    TJacketSettings settings;
    settings.Layout = 0;
    settings.TitleFont.Size = DefaultTitleSize;
    return settings;
}

} // namespace jacket

TJacketSettings ReadJacketSettings(const IniFile& ini) {
    TJacketSettings settings;
    static_cast<TLayoutCommon&>(settings) =
        ReadLayoutCommon(ini, kSection, {0, 0, jacket::DefaultTitleSize});
    settings.RotateCount =
        jacket::QuarterTurns(ini.ReadInteger(kSection, QStringLiteral("RotateCount"), 0));
    return settings;
}

void WriteJacketSettings(IniFile& ini, const TJacketSettings& settings) {
    WriteLayoutCommon(ini, kSection, settings);
    ini.WriteInteger(kSection, QStringLiteral("RotateCount"), settings.RotateCount);
}

} // namespace mirte
