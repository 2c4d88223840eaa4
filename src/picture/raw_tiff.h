#pragma once

#include "exif_reader.h"

#include <QByteArray>
#include <QIODevice>
#include <QSize>
#include <vector>

namespace mirte {

// What the program reads itself from a camera RAW file laid out as TIFF (NEF, CR2, DNG, ARW, PEF
// and most others; Panasonic's RW2 and Olympus' ORF with magic numbers of their own): the dates
// where exiftool finds them, and the JPEG previews. LibRaw skips dates of some of them, and
// gives nothing at all of a file whose camera it does not know.

// A JPEG preview in the file.
struct TRawJpeg {
    qint64 offset = 0;
    qint64 length = 0;
    QSize size; // its frame's, as stored
};

struct TRawTiff {
    bool tiff = false; // the file is laid out as TIFF
    // DateTime of the first directory, DateTimeOriginal (and DateTimeDigitized) of the Exif
    // directory, else those of the EXIF block of a JPEG the file embeds whole (RW2's); the
    // first directory's Orientation.
    TExifRecord exif;
    // The baseline or progressive JPEGs the directories point at (not the raw data compressed as
    // lossless JPEG), in the order found.
    std::vector<TRawJpeg> jpegs;

    // The JPEG of most pixels; null when there is none.
    const TRawJpeg* Largest() const;
};

// Walks the file's directories (the chain from the first, their sub-directories, the Exif
// directory); what cannot be read is passed over, and a file not laid out as TIFF gives an
// empty result.
TRawTiff ReadRawTiff(QIODevice& in);

// A JPEG's bytes from the file; empty when they cannot be read.
QByteArray ReadRawJpeg(QIODevice& in, const TRawJpeg& jpeg);

} // namespace mirte
