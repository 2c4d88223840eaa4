#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace mirte {

// Uses QtGui only (no widgets), so that any layer's host can call it.

// The desktop's icon for the file type of the path, judged by its extension alone (the file
// need not exist); a null icon when the desktop's icon theme has none.
QIcon FileTypeThemeIcon(const QString& path);

// The program's own 32 x 32 file-type icon, drawn in code: a page with a folded corner, a film
// strip on it for movies, a picture for pictures; used when the desktop has no icon theme.
QImage FallbackFileTypeIcon(const QString& path);

// The file type's 32 x 32 icon on a white 48 x 48 bitmap, at (8, 8). Never fails: without a
// theme icon the program's own is drawn. `fromTheme`, when given, tells which was used.
QImage MakeIconBitmap(const QString& path, bool* fromTheme = nullptr);

} // namespace mirte
