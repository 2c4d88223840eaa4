#pragma once

#include <QString>

namespace mirte {

// Pictures larger than this are refused before anything of their size is allocated.
constexpr int MaxPictureSide = 99999;
constexpr qint64 MaxPictureBytes = qint64{1} << 31; // at 4 bytes per pixel

// Raises EPictureError when width x height is empty or beyond the limits.
void CheckPictureSize(const QString& path, qint64 width, qint64 height);

} // namespace mirte
