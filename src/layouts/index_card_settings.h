#pragma once

#include "layout_settings.h"

#include <QString>

namespace mirte {

class IniFile;

// The index card's choices, as its dialog holds them and section [PrintThumbnail] of
// Thumbnail.ini keeps them.
struct TIndexCardSettings : TLayoutCommon {
    QString FileFontSize = QStringLiteral(" 6"); // the size box's text, as shown
    bool ShowFileName = true;
    bool EachFolder = false; // cards of their own for every folder of a tree (key EachFolder)
    bool operator==(const TIndexCardSettings&) const = default;
};

namespace index_card {

inline constexpr const char* kSection = "PrintThumbnail";
// The layout box: n x n cells on each card, n = 1 .. 10; entry 5 (6 x 6) unless chosen.
inline constexpr int LayoutCount = 10;
inline constexpr int DefaultLayout = 5;
inline constexpr int DefaultTitleSize = 18;

// The cells per side of a layout box entry; an entry outside the box gives the default's.
int CellsPerSide(int layout);
// The layout box's text of an entry: " 6 x 6".
QString LayoutCaption(int layout);
// The defaults, as a missing section gives them.
TIndexCardSettings Defaults();

} // namespace index_card

// Reads the section; a value that is missing or spoilt gives its default.
TIndexCardSettings ReadIndexCardSettings(const IniFile& ini);
// Writes every key of the section in its order (nothing when the file is read-only; raises
// EIniFileError when it cannot be written).
void WriteIndexCardSettings(IniFile& ini, const TIndexCardSettings& settings);

} // namespace mirte
