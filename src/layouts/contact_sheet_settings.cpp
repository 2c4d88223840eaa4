#include "contact_sheet_settings.h"

#include "util/ini_file.h"

namespace mirte {

namespace {

const QString kSection = QString::fromLatin1(contact_sheet::kSection);

} // namespace

namespace contact_sheet {

std::pair<int, int> Cells(int layout) {
    const int entry = layout >= 0 && layout < LayoutCount ? layout : DefaultLayout;
    return ContactLayouts[static_cast<size_t>(entry)];
}

QString LayoutCaption(int layout) {
    const auto [columns, rows] = Cells(layout);
    return QStringLiteral(" %1 x %2").arg(columns).arg(rows);
}

TContactSheetSettings Defaults() {
    TContactSheetSettings settings;
    settings.Layout = DefaultLayout;
    settings.TitleFont.Size = DefaultTitleSize;
    return settings;
}

} // namespace contact_sheet

TContactSheetSettings ReadContactSheetSettings(const IniFile& ini) {
    TContactSheetSettings settings;
    static_cast<TLayoutCommon&>(settings) =
        ReadLayoutCommon(ini, kSection,
                         {contact_sheet::DefaultLayout, contact_sheet::LayoutCount,
                          contact_sheet::DefaultTitleSize});
    ReadFileNameKeys(ini, kSection, TContactSheetSettings().FileFontSize, settings.FileFontSize,
                     settings.ShowFileName);
    settings.ShowDate = ini.ReadBool(kSection, QStringLiteral("DateShow"), true);
    return settings;
}

void WriteContactSheetSettings(IniFile& ini, const TContactSheetSettings& settings) {
    WriteLayoutCommon(ini, kSection, settings);
    WriteFileNameKeys(ini, kSection, settings.FileFontSize, settings.ShowFileName);
    ini.WriteBool(kSection, QStringLiteral("DateShow"), settings.ShowDate);
}

} // namespace mirte
