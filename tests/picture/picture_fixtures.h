#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

namespace mirte::test {

// A colourful picture whose every region differs, so that a turned or mirrored copy shows.
QImage MakeTestPicture(int width, int height);

// The picture encoded by Qt's own writers ("jpg", "png", "bmp", "tif").
QByteArray EncodeWithQt(const QImage& image, const char* format, int quality = 95);

struct ExifFields {
    QByteArray dateTime;         // 0x0132
    QByteArray dateTimeOriginal; // 0x9003, in the Exif directory
    int orientation = 0;         // 0x0112 when non-zero
    bool bigEndian = false;
};
// The TIFF-structured EXIF block (what follows "Exif\0\0").
QByteArray MakeExifBlock(const ExifFields& fields);
// A JPEG of the picture with an EXIF APP1 segment, placed after the JFIF APP0 segment.
QByteArray MakeExifJpeg(const QImage& image, const ExifFields& fields);
// Puts a segment (marker byte, payload) right after the SOI of a JPEG.
QByteArray InsertSegment(const QByteArray& jpeg, std::uint8_t marker, const QByteArray& payload);

// A TIFF of the picture written by libtiff with this compression (COMPRESSION_*); CCITT
// compressions get a black-and-white version of it.
QByteArray EncodeTiff(const QImage& image, int compression);

// The mean absolute difference per channel of two pictures of the same size (0..255).
double MeanDifference(const QImage& a, const QImage& b);
// The peak signal-to-noise ratio of b against a over the three channels, in dB (0 for pictures
// of different sizes, 99 for equal ones).
double Psnr(const QImage& a, const QImage& b);

// Puts another JPEG in place of a stored thumbnail, padded to the old file's size and given its
// time, so that the cache still takes the file for its record's (a decoder stops at the
// picture's end). False when the JPEG is larger than the file or the file cannot be written.
bool SwapKeepingSizeAndTime(const QString& path, QByteArray jpeg);

} // namespace mirte::test
