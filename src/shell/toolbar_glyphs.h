#pragma once

#include <QPixmap>

namespace mirte {

// The toolbar's pictures, drawn in code so that the program needs no picture files; each at the
// size its button shows it.
enum class TToolGlyph { Abort, Reload, PrintThumbnail, PrintJacket, Contact, Internet };

QSize ToolGlyphSize(TToolGlyph glyph);
QPixmap DrawToolGlyph(TToolGlyph glyph);

} // namespace mirte
