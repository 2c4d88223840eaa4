#pragma once

#include "layout_settings.h"

#include <QString>
#include <array>
#include <utility>

namespace mirte {

class IniFile;

// The contact sheet's choices, as its dialog holds them and section [PrintContactSheet] of
// Thumbnail.ini keeps them.
struct TContactSheetSettings : TLayoutCommon {
    QString FileFontSize = QStringLiteral(" 7"); // the size box's text, as shown
    bool ShowFileName = true;
    bool ShowDate = true;
    bool operator==(const TContactSheetSettings&) const = default;
};

namespace contact_sheet {

inline constexpr const char* kSection = "PrintContactSheet";
// The layout box: columns x rows, from 1 x 2 to 10 x 10; entry 11 (5 x 6) unless chosen.
inline constexpr std::array<std::pair<int, int>, 26> ContactLayouts{{
    {1, 2}, {2, 2}, {2, 3}, {2, 4},  {3, 3}, {3, 4},  {3, 5},  {4, 4},   {4, 5},
    {4, 6}, {5, 5}, {5, 6}, {5, 7},  {6, 6}, {6, 7},  {6, 8},  {7, 7},   {7, 8},
    {7, 9}, {8, 8}, {8, 9}, {8, 10}, {9, 9}, {9, 10}, {9, 11}, {10, 10},
}};
inline constexpr int LayoutCount = static_cast<int>(ContactLayouts.size());
inline constexpr int DefaultLayout = 11;
inline constexpr int DefaultTitleSize = 20;

// The columns and rows of a layout box entry; an entry outside the box gives the default's.
std::pair<int, int> Cells(int layout);
// The layout box's text of an entry: " 5 x 6".
QString LayoutCaption(int layout);
TContactSheetSettings Defaults();

} // namespace contact_sheet

// Reads the section; a value that is missing or spoilt gives its default.
TContactSheetSettings ReadContactSheetSettings(const IniFile& ini);
// Writes every key of the section in its order (nothing when the file is read-only; raises
// EIniFileError when it cannot be written).
void WriteContactSheetSettings(IniFile& ini, const TContactSheetSettings& settings);

} // namespace mirte
