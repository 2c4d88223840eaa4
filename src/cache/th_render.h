#pragma once

#include "picture/picture_header.h"
#include "picture_facts.h"
#include "util/file_facts.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace mirte {

// Rendering a thumbnail as pure work on values: a path and a box in, the fitted picture and the
// file's facts out. It touches no cache and no widget, so it runs on any thread.

// The upright picture of `header`'s file fitted into `box` (decoded at the smallest DCT scale
// that covers it). Raises EPictureError, or ECacheError for an empty box.
QImage RenderFitted(const QString& path, const PictureHeader& header, QSize box);

// The facts of `header`'s file: size, EXIF dates, time and size, volume. False when the file's
// time and size cannot be read (it vanished). `look`: what a look at the file found just before,
// so that it is not looked at again.
bool ReadPictureFacts(const QString& path, const PictureHeader& header, TPictureFacts& facts,
                      const TFileLook* look = nullptr);

struct TRenderedPicture {
    QImage Thumbnail;    // null when the picture could not be rendered
    TPictureFacts Facts; // valid when FactsRead
    bool FactsRead = false;
    QByteArray Stored; // the thumbnail as the cache stores it (JPEG); empty when not made
    QString Error;     // why the picture could not be rendered
};

// The thumbnail fitted into `box` of a picture file; for the cache also its facts and the
// thumbnail's stored form, so that the thread that stores it only writes the file. Never
// raises: a failure leaves Thumbnail null and says why in Error. `look` as ReadPictureFacts
// takes it.
TRenderedPicture RenderPicture(const QString& path, QSize box, bool forCache,
                               const TFileLook* look = nullptr);

} // namespace mirte
