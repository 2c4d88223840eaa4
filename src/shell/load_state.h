#pragma once

#include <QString>

namespace mirte {

// The load state as status panel 0 shows it.
inline constexpr const char* kLoadFinishedText = " 読込完了";
inline constexpr const char* kLoadAbortedText = " 読込中止";

// Panel 0's text for a progress value: " 読込　NN%" for 0..99, " 読込完了" from 100 on,
// " 読込中止" for a negative value.
QString LoadProgressText(int percent);

// The load guard: loading counts as finished only when panel 0 reads exactly " 読込完了" or
// " 読込中止"; any other text, the empty one before the first report included, is loading.
bool IsLoadFinished(const QString& panelText);

} // namespace mirte
