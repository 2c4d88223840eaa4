#pragma once

#include <QIcon>
#include <QImage>

namespace mirte {

// The program's own pictures, drawn in code from shapes and text. They need a
// QGuiApplication (fonts).

// The splash picture, 420 x 130.
QImage SplashPicture();

// The about box's picture: the program's icon, 48 x 48.
QImage AboutPicture();

// The program's icon as compiled in: the PNG renditions of packaging/mirte.svg made at build
// time, the same pictures that are installed into the hicolor icon theme.
QIcon CompiledInProgramIcon();

// The program's icon, which its windows and dialogs show: the icon theme's (by the desktop id),
// else the compiled-in one.
QIcon ProgramIcon();

} // namespace mirte
