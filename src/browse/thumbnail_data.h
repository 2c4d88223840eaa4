#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace mirte {

// The positions of an item's facts in TThumbnailData::Info.
enum TInfoEntry {
    ieLoadMark = 0, // empty until the thumbnail was fetched ("Finished" after that)
    ieFileName = 1, // name without folder
    ieFullPath = 2, // the file's full path
    ieFileSize = 3, // size in bytes, decimal
    ieFileTime = 4, // last-write time, "yyyy/mm/dd hh:mm:ss"
    ieShotTime = 5, // shooting date in the same form, empty when there is none
    ieWidth = 6,    // picture width in pixels
    ieHeight = 7,   // picture height in pixels
    ieSortLine = 8, // the caption line of the current order, may be empty
};
constexpr int InfoCount = 9;

// Nine empty facts.
inline QStringList EmptyInfo() {
    static const QStringList empty(InfoCount); // shared by every item until one is written
    return empty;
}

// One cell of the grid.
struct TThumbnailData {
    QImage Bitmap;   // fitted to the display box (device pixels, with its pixel ratio); may be null
    QString Caption; // the file name shown under the picture
    QStringList Info = EmptyInfo();
    bool LoadFailed = false; // the picture could not be loaded: the cell shows the mark for it

    void Reset() {
        Bitmap = QImage();
        Caption.clear();
        Info = EmptyInfo();
        LoadFailed = false;
    }
};

} // namespace mirte
