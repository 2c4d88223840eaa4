#pragma once

#include "cache/item_facts.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace mirte {

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
