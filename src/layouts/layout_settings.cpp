#include "layout_settings.h"

#include "report/font_substitutes.h"
#include "util/common_text.h"
#include "util/ini_file.h"

namespace mirte {

namespace {

bool IsColorValue(int value) {
    return value >= 0 && value <= 0xFFFFFF;
}

} // namespace

QString DefaultFontName() {
    return QString::fromUtf8(kGuiFontFamily);
}

QColor ColorFromValue(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int ColorValue(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

TLRFont TTitleFont::ToLRFont() const {
    TLRFont font;
    font.Name = Name;
    font.SetSize(Size);
    font.Bold = Bold;
    font.Italic = Italic;
    font.Underline = Underline;
    font.StrikeOut = StrikeOut;
    font.Color = Color;
    return font;
}

TLayoutCommon ReadLayoutCommon(const IniFile& ini, const QString& section,
                               const TLayoutDefaults& defaults) {
    TLayoutCommon values;
    values.Layout = ini.ReadInteger(section, QStringLiteral("Layout"), defaults.Layout);
    if (defaults.LayoutCount > 0 && (values.Layout < 0 || values.Layout >= defaults.LayoutCount)) {
        values.Layout = defaults.Layout;
    }
    const int label = ini.ReadInteger(section, QStringLiteral("BackColor"), DefaultLabelColorValue);
    values.LabelColor = ColorFromValue(IsColorValue(label) ? label : DefaultLabelColorValue);
    values.Title = ini.ReadString(section, QStringLiteral("Title"), QString());

    TTitleFont& font = values.TitleFont;
    const int color = ini.ReadInteger(section, QStringLiteral("FontColor"), 0);
    font.Color = ColorFromValue(IsColorValue(color) ? color : 0);
    font.Name = ini.ReadString(section, QStringLiteral("FontName"), DefaultFontName());
    if (font.Name.trimmed().isEmpty()) {
        font.Name = DefaultFontName();
    }
    font.Size = ini.ReadInteger(section, QStringLiteral("FontSize"), defaults.FontSize);
    if (font.Size < MinTitleFontSize || font.Size > MaxTitleFontSize) {
        font.Size = defaults.FontSize;
    }
    font.Bold = ini.ReadBool(section, QStringLiteral("FontStyleB"), false);
    font.Italic = ini.ReadBool(section, QStringLiteral("FontStyleI"), false);
    font.Underline = ini.ReadBool(section, QStringLiteral("FontStyleU"), false);
    font.StrikeOut = ini.ReadBool(section, QStringLiteral("FontStyleS"), false);
    font.Charset = ini.ReadInteger(section, QStringLiteral("FontChar"), DefaultCharset);
    if (font.Charset < 0 || font.Charset > 255) {
        font.Charset = DefaultCharset;
    }
    return values;
}

void WriteLayoutCommon(IniFile& ini, const QString& section, const TLayoutCommon& values) {
    const TTitleFont& font = values.TitleFont;
    ini.WriteInteger(section, QStringLiteral("Layout"), values.Layout);
    ini.WriteInteger(section, QStringLiteral("BackColor"), ColorValue(values.LabelColor));
    ini.WriteString(section, QStringLiteral("Title"), values.Title);
    ini.WriteInteger(section, QStringLiteral("FontColor"), ColorValue(font.Color));
    ini.WriteString(section, QStringLiteral("FontName"), font.Name);
    ini.WriteInteger(section, QStringLiteral("FontSize"), font.Size);
    ini.WriteBool(section, QStringLiteral("FontStyleB"), font.Bold);
    ini.WriteBool(section, QStringLiteral("FontStyleI"), font.Italic);
    ini.WriteBool(section, QStringLiteral("FontStyleU"), font.Underline);
    ini.WriteBool(section, QStringLiteral("FontStyleS"), font.StrikeOut);
    ini.WriteInteger(section, QStringLiteral("FontChar"), font.Charset);
}

void ReadFileNameKeys(const IniFile& ini, const QString& section, const QString& defaultSize,
                      QString& fileFontSize, bool& showFileName) {
    fileFontSize = ReadSizeBoxText(ini, section, QStringLiteral("FileFontSize"), defaultSize);
    showFileName = ini.ReadBool(section, QStringLiteral("FNShow"), true);
}

void WriteFileNameKeys(IniFile& ini, const QString& section, const QString& fileFontSize,
                       bool showFileName) {
    ini.WriteString(section, QStringLiteral("FileFontSize"), fileFontSize);
    ini.WriteBool(section, QStringLiteral("FNShow"), showFileName);
}

QString ReadSizeBoxText(const IniFile& ini, const QString& section, const QString& key,
                        const QString& defaultText) {
    const QString text = QLatin1Char(' ') + ini.ReadString(section, key, QString());
    return ValidFontSize(text) != 0 ? text : defaultText;
}

} // namespace mirte
