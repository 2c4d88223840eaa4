#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace mirte {

enum class PictureFormat { Unknown, Jpeg, Png, Tiff, Bmp };

// The extensions the browser lists, in the order of their groups; "avi" is a movie, never decoded.
const QStringList& BrowsedExtensions();
// Whether the lower-cased extension names a picture the program decodes.
bool IsPictureExtension(const QString& ext);
// Whether the lower-cased extension names a movie: listed, never decoded.
bool IsMovieExtension(const QString& ext);

// The format that the first bytes of a file announce; Unknown when they announce none of ours.
PictureFormat SniffFormat(QByteArrayView firstBytes);
// The format that an extension stands for (bmp, dib, jpg, jpeg, jpe, jfif, tif, tiff, png).
PictureFormat FormatOfExtension(const QString& ext);

// The format of a file: its first bytes decide when they are known, else its extension.
// Unknown for a file that cannot be opened.
PictureFormat FormatOfFile(const QString& path);

} // namespace mirte
