#include "index_card_settings.h"

#include "util/ini_file.h"

namespace mirte {

namespace {

const QString kSection = QString::fromLatin1(index_card::kSection);
const QString kEachFolderKey = QStringLiteral("EachFolder");

TLayoutDefaults IndexDefaults() {
    return {index_card::DefaultLayout, index_card::LayoutCount, index_card::DefaultTitleSize};
}

} // namespace

namespace index_card {

int CellsPerSide(int layout) {
    return (layout >= 0 && layout < LayoutCount ? layout : DefaultLayout) + 1;
}

QString LayoutCaption(int layout) {
    const int n = CellsPerSide(layout);
    return QStringLiteral(" %1 x %1").arg(n);
}

TIndexCardSettings Defaults() {
    TIndexCardSettings settings;
    settings.Layout = DefaultLayout;
    settings.TitleFont.Size = DefaultTitleSize;
    return settings;
}

} // namespace index_card

TIndexCardSettings ReadIndexCardSettings(const IniFile& ini) {
    TIndexCardSettings settings;
    static_cast<TLayoutCommon&>(settings) = ReadLayoutCommon(ini, kSection, IndexDefaults());
    ReadFileNameKeys(ini, kSection, TIndexCardSettings().FileFontSize, settings.FileFontSize,
                     settings.ShowFileName);
    // 0 or 1; anything else is no choice of the dialog's.
    const int eachFolder = ini.ReadInteger(kSection, kEachFolderKey, 0);
    settings.EachFolder = eachFolder == 1;
    return settings;
}

void WriteIndexCardSettings(IniFile& ini, const TIndexCardSettings& settings) {
    WriteLayoutCommon(ini, kSection, settings);
    WriteFileNameKeys(ini, kSection, settings.FileFontSize, settings.ShowFileName);
    ini.WriteBool(kSection, kEachFolderKey, settings.EachFolder);
}

} // namespace mirte
