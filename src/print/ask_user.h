#pragma once

#include <QString>
#include <functional>

namespace mirte {

// The buttons of the print windows' messages: "OK", or "OK" and "キャンセル".
enum class TAskButtons { Ok, OkCancel };

// Shows one of the print windows' messages (caption "ミルテ") and answers the 1-based position
// of the button pressed, -1 when the box was closed otherwise. The main window hands in the
// program's message box; tests answer themselves.
using TAskUser = std::function<int(const QString& text, TAskButtons buttons)>;

} // namespace mirte
