#pragma once

#include <QString>
#include <QtGlobal>

namespace mirte {

// The load state as status panel 0 shows it (translated where shown).
inline constexpr const char* kLoadFinishedText = QT_TRANSLATE_NOOP("LoadState", " 読込完了");
inline constexpr const char* kLoadAbortedText = QT_TRANSLATE_NOOP("LoadState", " 読込中止");

// Panel 0's text for a progress value: " 読込　NN%" for 0..99, " 読込完了" from 100 on,
// " 読込中止" for a negative value; in the language in use.
QString LoadProgressText(int percent);

// The load guard on a progress value: a load has ended once it reported 100 % or more (finished)
// or a negative value (stopped). The window keeps the last value apart from panel 0's text, so
// that the guard holds in any language.
bool LoadEnded(int percent);

// The load guard on panel 0's text: loading counts as finished only when the text reads exactly
// " 読込完了" or " 読込中止" in the language in use; any other text, the empty one before the
// first report included, is loading.
bool IsLoadFinished(const QString& panelText);

} // namespace mirte
