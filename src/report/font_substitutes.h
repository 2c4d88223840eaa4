#pragma once

namespace mirte {

// The program's layouts and windows name the usual Japanese Windows fonts ("ＭＳ Ｐゴシック",
// "ＭＳ 明朝", ...). Maps each of them, and their ASCII spellings, to the metric-compatible IPA
// font of the same kind. Call once, after the QGuiApplication exists; calling again is harmless.
void InstallFontSubstitutes();

// The font family that "ＭＳ Ｐゴシック" stands for here.
inline constexpr const char* kGuiFontFamily = "ＭＳ Ｐゴシック";

} // namespace mirte
