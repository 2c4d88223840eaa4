#pragma once

#include <QRect>
#include <QString>

namespace mirte {

class IniFile;

// What the main window remembers between runs, in its own section of Thumbnail.ini.
struct TWindowState {
    QString Folder;    // the folder shown last; empty: none
    int SortOrder = 0; // the row of the order list (名前順, サイズ順, 撮影順)
    int SizeIndex = 1; // the row of the size list (大, 中, 小)
    QRect Geometry;    // the window's place and size when not maximised; empty: none kept
    bool Maximized = false;
    bool Subfolders = false; // the grid shows the folders below the chosen one as well

    bool operator==(const TWindowState&) const = default;
};

inline constexpr const char* kWindowSection = "Window";

// The section's values; one that is missing or out of range reads as its default.
TWindowState ReadWindowState(const IniFile& ini, int sortOrders, int sizes);
// Writes the values that differ from the file's. A read-only file is never written, and a
// failed write is dropped (the window goes on; the next change tries again).
void WriteWindowState(IniFile& ini, const TWindowState& state);

// A kept place on the desktop there is now: no larger than the work area, and moved into it
// when it would lie partly outside (the screen it was on may be gone).
QRect PlaceInWorkArea(const QRect& kept, const QRect& area);

} // namespace mirte
