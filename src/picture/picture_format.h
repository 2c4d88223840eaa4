#pragma once

#include "picture_format_enum.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace mirte {

// The extensions the browser lists, in the order of their groups: the pictures (the six of old,
// then HEIF, AVIF, WebP and the camera RAW files), then the movies, which are never decoded.
const QStringList& BrowsedExtensions();
// Whether the lower-cased extension names a picture the program decodes.
bool IsPictureExtension(const QString& ext);
// Whether the lower-cased extension names a movie: listed, never decoded.
bool IsMovieExtension(const QString& ext);

// How many first bytes SniffFormat wants to see (a HEIF file's brands follow its box header).
constexpr int SniffBytes = 64;

// The format that the first bytes of a file announce; Unknown when they announce none of ours.
// TIFF-based camera RAW files announce TIFF: their extension tells them apart (FormatOf).
PictureFormat SniffFormat(QByteArrayView firstBytes);
// The format that an extension stands for (bmp, dib, jpg, jpeg, jpe, jfif, tif, tiff, png, the
// HEIF family, webp and the camera RAW extensions).
PictureFormat FormatOfExtension(const QString& ext);
// The format of a file whose first bytes said `sniffed`: they decide when they are known, except
// that a TIFF structure under a RAW extension is that RAW; else the extension decides.
PictureFormat FormatOf(PictureFormat sniffed, const QString& ext);

// The format of a file by FormatOf; Unknown for a file that cannot be opened.
PictureFormat FormatOfFile(const QString& path);

} // namespace mirte
