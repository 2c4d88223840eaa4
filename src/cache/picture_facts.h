#pragma once

#include <QString>

namespace mirte {

// The facts of a picture file that the cache keeps beside its thumbnail: read from the picture
// on a miss, stored in its record, and handed to the callers from there.
struct TPictureFacts {
    int Width = 0; // the stored pixel size, before any EXIF orientation
    int Height = 0;
    QString CreateTime; // EXIF shooting date (0x9003) as "yyyy/mm/dd hh:mm:ss"; empty without
    QString UpdateTime; // EXIF date-time (0x0132), likewise
    QString FileTime;   // the file's last-write time
    qint64 FileSize = 0;
    QString VolLabel; // the volume that holds the file
    QString VolSer;

    bool operator==(const TPictureFacts&) const = default;
};

} // namespace mirte
