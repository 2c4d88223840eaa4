#pragma once

#include "picture_header_fields.h"

#include <QIODevice>
#include <QString>

namespace mirte {

// A bitmap's size from its file and info headers (core or newer), read from the device's
// current position; false with a reason.
bool ReadBmpHeader(QIODevice& in, PictureHeader& header, QString& error);

} // namespace mirte
