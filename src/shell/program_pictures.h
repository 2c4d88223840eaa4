#pragma once

#include <QIcon>
#include <QImage>

namespace mirte {

// The program's own pictures, drawn in code from shapes and text. They need a
// QGuiApplication (fonts).

// The splash picture, 420 x 130.
QImage SplashPicture();

// The about box's picture: the program's emblem, 48 x 48.
QImage AboutPicture();

// The emblem (a myrtle blossom) at the given square size.
QImage ProgramEmblem(int size);

// The window icon of the program (the emblem at 16, 32, 48 and 64 pixels).
QIcon ProgramIcon();

} // namespace mirte
