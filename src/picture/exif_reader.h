#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

namespace mirte {

// What the program takes from a picture's EXIF block.
struct TExifRecord {
    QString DateTime;          // tag 0x0132, at most 20 characters
    QString DateTimeOriginal;  // tag 0x9003, the shooting date
    QString DateTimeDigitized; // tag 0x9004
    int Orientation = 0;       // tag 0x0112, 1..8; 0 when absent
};

// Reads the EXIF block of JPEG files: HasExif finds it, ReadExif parses it.
class TExifInfo {
public:
    // True when the file is a JPEG whose first APP1 segment (before the image data) is EXIF; the
    // file and its block are then remembered for ReadExif.
    bool HasExif(const QString& path);
    // The remembered block's facts; an empty record when there is none or it is malformed.
    TExifRecord ReadExif() const;

    const QString& ImageFileName() const { return m_imageFileName; }

private:
    QString m_imageFileName;
    QByteArray m_block;
};

// The TIFF-structured data of the first APP1 segment of a JPEG stream when that segment is EXIF
// (what follows "Exif\0\0"); false for anything else. Reads only the segment headers before it.
bool FindExifBlock(QIODevice& jpeg, QByteArray& block);

// Parses an EXIF block; false (and an empty record) when it is malformed: an offset outside the
// block, a directory chain that loops or is longer than 200, a count that cannot fit.
bool ParseExifBlock(QByteArrayView block, TExifRecord& record);

// The first 19 characters of an EXIF date-time with its 5th and 8th characters made "/"
// ("2003:05:12 10:20:30" -> "2003/05/12 10:20:30"); a text shorter than 8 stays as it is.
QString ExifDateToText(const QString& exifDate);

} // namespace mirte
