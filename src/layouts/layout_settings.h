#pragma once

#include "report/lr_types.h"

#include <QColor>
#include <QString>
#include <array>

namespace mirte {

class IniFile;

// The font dialog's character set when it is made (Shift-JIS). Kept in the settings file for
// the title font; Qt chooses glyphs by the text itself.
inline constexpr int DefaultCharset = 128;
// The font dialog's face when it is made.
QString DefaultFontName();
// The label colour when none is set: red 153, green 153, blue 255.
inline constexpr int DefaultLabelColorValue = 16751001;

// The file-name size boxes' entries, in points.
inline constexpr std::array<int, 18> FileFontSizes{3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                   12, 14, 16, 18, 20, 22, 24, 26, 28};

// A colour as the settings file stores it: red in the low byte, green in the second, blue in
// the third.
QColor ColorFromValue(int value);
int ColorValue(const QColor& color);

// The title font as the font dialog holds it and the settings file keeps it.
struct TTitleFont {
    QString Name = DefaultFontName();
    int Size = 18; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    QColor Color = Qt::black;
    int Charset = DefaultCharset;

    TLRFont ToLRFont() const;
    bool operator==(const TTitleFont&) const = default;
};

// What the sections of the three print layouts begin with: the layout box, the label colour,
// the title and its font (keys Layout, BackColor, Title, FontColor, FontName, FontSize,
// FontStyleB, FontStyleI, FontStyleU, FontStyleS, FontChar, in that order).
struct TLayoutCommon {
    int Layout = 0;
    QColor LabelColor = ColorFromValue(DefaultLabelColorValue);
    QString Title;
    TTitleFont TitleFont;
    bool operator==(const TLayoutCommon&) const = default;
};

// How a layout's section differs in its common keys: the layout box's default entry and its
// number of entries (0: any entry is kept as it is, the layout deals with one outside its box),
// and the title's default size.
struct TLayoutDefaults {
    int Layout = 0;
    int LayoutCount = 1;
    int FontSize = 18;
};

// Title font sizes outside this range (a broken file) fall back to the default.
inline constexpr int MinTitleFontSize = 1;
inline constexpr int MaxTitleFontSize = 200;

// Reads the common keys. Every value that a broken or hand-edited file could spoil falls back
// to its default: a layout outside the box's entries (when the box counts them), a colour
// outside 0 .. 0xFFFFFF, a title size outside 1 .. 200 points, an empty face.
TLayoutCommon ReadLayoutCommon(const IniFile& ini, const QString& section,
                               const TLayoutDefaults& defaults);
// Writes the common keys in their order (nothing when the file is read-only; raises
// EIniFileError when it cannot be written).
void WriteLayoutCommon(IniFile& ini, const QString& section, const TLayoutCommon& values);

// The file-name keys of the index card and the contact sheet: FileFontSize (the size box's
// text, read back with a blank in front; a spoilt one gives `defaultSize`) and FNShow.
void ReadFileNameKeys(const IniFile& ini, const QString& section, const QString& defaultSize,
                      QString& fileFontSize, bool& showFileName);
void WriteFileNameKeys(IniFile& ini, const QString& section, const QString& fileFontSize,
                       bool showFileName);

// A size box's text as the settings file keeps it: read back with a blank in front, as the box
// shows its sizes; a text that is no valid size (3 .. 28) gives `defaultText`.
QString ReadSizeBoxText(const IniFile& ini, const QString& section, const QString& key,
                        const QString& defaultText);

} // namespace mirte
