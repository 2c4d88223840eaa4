#pragma once

#include "row_sink.h"

#include <QString>

namespace mirte {

// Decodes a PNG file into the sink as RGB rows; transparent parts are laid on white. Pictures
// that are not interlaced stream row by row; interlaced ones are assembled whole first.
// Raises EPictureError for damaged data (libpng's message kept beside the reason).
void DecodePng(const QString& path, RowSink& sink);

} // namespace mirte
