#pragma once

#include "cache/th_image_base.h"

#include <QString>

namespace mirte::test {

// A record as if stored: its bitmap file is written with `size` bytes so that loading keeps it.
TThImage* AddStoredRecord(TThImageBase& images, const QString& source, int saveId, qint64 size,
                          const QString& thFileTime = QStringLiteral("2004/01/01 10:00:00"));

// A management-file line for a record with this number and bitmap size.
QString RecordLine(const QString& source, int saveId, qint64 size,
                   const QString& thFileTime = QStringLiteral("2004/01/01 10:00:00"));

// Writes a file of `size` bytes where the record numbered saveId keeps its bitmap.
void WriteBitmapFile(const TThImageBase& images, int saveId, qint64 size);

} // namespace mirte::test
