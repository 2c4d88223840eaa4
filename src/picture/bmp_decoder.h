#pragma once

#include "row_sink.h"

#include <QByteArrayView>
#include <QString>

namespace mirte {

// Decodes a .bmp picture into the sink as RGB rows, as desktop systems read one: core, 40-byte
// and newer headers (52, 56, 64, 108, 124 bytes, their colour masks honoured); 1, 4, 8, 16, 24
// and 32 bits; RLE4, RLE8 and bit fields; bottom-up and top-down. Rows missing at the end of a
// short file come out black. Raises EPictureError for a header it cannot use.
void DecodeBmp(const QString& path, RowSink& sink);

// The same for a picture in memory (the fuzzer's entry); errors name `name`.
void DecodeBmpBytes(QByteArrayView bytes, const QString& name, RowSink& sink);

} // namespace mirte
