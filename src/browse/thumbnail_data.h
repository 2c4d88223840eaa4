#pragma once

#include "cache/item_facts.h"

#include <QImage>
#include <QString>

namespace mirte {

// One cell of the grid.
struct TThumbnailData {
    QImage Bitmap;   // fitted to the display box (device pixels, with its pixel ratio); may be null
    QString Caption; // the file name shown under the picture
    TItemFacts Facts;
    bool LoadFailed = false; // the picture could not be loaded: the cell shows the mark for it
    // Bitmap is the file's own small image, shown until the thumbnail comes: never printed.
    bool FirstImage = false;

    void Reset() {
        Bitmap = QImage();
        Caption.clear();
        Facts = TItemFacts();
        LoadFailed = false;
        FirstImage = false;
    }
    // The thumbnail made from the picture, when the cell has it.
    QImage Thumbnail() const { return FirstImage ? QImage() : Bitmap; }
};

} // namespace mirte
