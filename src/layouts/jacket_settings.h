#pragma once

#include "layout_settings.h"

#include <QString>
#include <array>

namespace mirte {

class IniFile;

// The back card's choices, as its dialog holds them and section [PrintJacket] of Thumbnail.ini
// keeps them.
struct TJacketSettings : TLayoutCommon {
    int RotateCount = 0; // quarter turns of the picture, 0 .. 3
    bool operator==(const TJacketSettings&) const = default;
};

namespace jacket {

inline constexpr const char* kSection = "PrintJacket";
// The layout box's entries, in their order: photo on top, at the bottom, left, right; shown
// translated (context "JacketLayouts").
inline constexpr int LayoutCount = 4;
inline constexpr std::array<const char*, LayoutCount> LayoutCaptions{
    QT_TRANSLATE_NOOP("JacketLayouts", " 写真上"), QT_TRANSLATE_NOOP("JacketLayouts", " 写真下"),
    QT_TRANSLATE_NOOP("JacketLayouts", " 写真左"), QT_TRANSLATE_NOOP("JacketLayouts", " 写真右")};
inline constexpr int DefaultTitleSize = 18;

// The layout code of a layout box entry: 0 photo on top, 1 photo left, 2 photo at the bottom,
// 3 photo right; an entry outside the box (none selected) gives 3.
int LayoutCode(int entry);
// Quarter turns taken into 0 .. 3: 5 gives 1, -1 gives 3.
int QuarterTurns(int count);
TJacketSettings Defaults();

} // namespace jacket

// Reads the section; a spoilt value gives its default, but a layout entry outside the box is
// kept (it selects no entry and lays the card out with code 3) and the turns are taken into
// 0 .. 3.
TJacketSettings ReadJacketSettings(const IniFile& ini);
// Writes every key of the section in its order (nothing when the file is read-only; raises
// EIniFileError when it cannot be written).
void WriteJacketSettings(IniFile& ini, const TJacketSettings& settings);

} // namespace mirte
