#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace mirte {

// How the cache stores a thumbnail: a baseline JPEG without chroma subsampling, about a tenth
// of a 24-bit bitmap. At quality 93 photographs keep 42 to 44 dB PSNR on average (finely
// textured ones no less than 37 dB, which the eye cannot tell apart) and text and line art no
// colour fringes; higher qualities make every read of a grid slower, as reading a stored
// thumbnail is mostly Huffman decoding, in proportion to its bytes (bench/cache_store.sh).
constexpr int StoredJpegQuality = 93;
constexpr bool StoredJpegFullChroma = true;
// No stored thumbnail is larger than the cache's box on either side: the store refuses to
// write one, and a file that claims more is refused before anything of its size is allocated.
constexpr int MaxStoredSide = 512;

// The thumbnail as the bytes of a JPEG file. Raises EPictureError when the image cannot be
// encoded (a null image, say) or is larger than MaxStoredSide.
QByteArray EncodeStoredThumbnail(const QImage& source, int quality = StoredJpegQuality,
                                 bool fullChroma = StoredJpegFullChroma);

// Decodes the bytes of a stored thumbnail (as ReadStoredThumbnail does a file); false, with the
// reason in `error` (and libjpeg's own words in `detail`, when asked), for bytes that are empty,
// cut short or damaged, or that claim a picture larger than MaxStoredSide (whatever the box).
bool DecodeStoredThumbnail(QByteArrayView bytes, QSize box, QImage& image, QString& error,
                           QString* detail = nullptr);

// Reads a stored thumbnail, decoded at the smallest DCT scale (n/8) whose picture still covers
// the stored one fitted into `box`; an empty box reads it whole. The rows go into the image's
// own memory when it already has that size and nobody shares it. False when the file does not
// exist; raises EPictureError for a file that is empty, cut short or damaged in any way that
// libjpeg notices (a stored thumbnail is never trusted half-read).
bool ReadStoredThumbnail(const QString& path, QSize box, QImage& image);

} // namespace mirte
