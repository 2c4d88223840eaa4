#pragma once

#include <QIcon>

namespace mirte {

// The print windows' button pictures, drawn in code: a printer, and a magnifier over a page.
QIcon PrinterGlyph(int size = 16);
QIcon PreviewGlyph(int size = 16);

} // namespace mirte
