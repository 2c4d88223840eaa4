#pragma once

#include "picture_facts.h"
#include "th_entry.h"
#include "th_image_owner.h"
#include "util/file_facts.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace mirte {

// One cache record: the source picture and box it was made for, the source's facts at the
// time, and the bitmap file that holds the thumbnail. Fields in the management file's order.
class TThImage : public TThEntry {
public:
    // Same path and box.
    bool Matches(const TThEntry& key) const override;
    // Whether the source, as one look at it found it, still has the recorded time, size and
    // volume.
    bool SameSource(const TFileLook& look) const {
        return look.Is(Org.FileTime, Org.FileSize, Org.VolLabel, Org.VolSer);
    }
    QString ToStr() const override;
    // The record's 16 columns as text, in the management file's order, the kind "T" first.
    QStringList Columns() const;
    // Accepts "T" and at least 16 fields whose numbers are decimal; false (and the record
    // unchanged) otherwise.
    bool FromStr(QStringView line) override;

    TThImageOwner* Images() const;
    QString BitmapFileName() const;
    // Loads the stored thumbnail, at the smallest scale that still covers it fitted into `box`
    // (whole for an empty box); false when its file is missing. Raises EPictureError for a
    // file that is empty, cut short or damaged.
    bool LoadThBitmap(QImage& bitmap, QSize box = QSize()) const;
    // Whether the bitmap file is still the one this record wrote (its time and size): another
    // program sharing the folder may have evicted it, or cleared the cache and stored another
    // picture under the same number.
    bool BitmapIsOwn() const;
    // Deletes the bitmap file (and its sub-folder once empty); false when it is there and cannot
    // be deleted.
    bool RemoveBitmapFile() const;
    void SetReqSize(int width, int height) {
        ReqWidth = width;
        ReqHeight = height;
    }

    QString LastAccess;
    int SaveID = 0;
    int ReqWidth = 0;
    int ReqHeight = 0;
    TPictureFacts Org; // the source's facts: the columns OrgWidth to OrgVolSer
    QString ThFileTime;
    qint64 ThFileSize = 0;
    int Line = 0;        // its line in the management file when loaded; 0 when made in this run
    quint64 LastUse = 0; // larger for records added or served later (kept by the collection)
    bool Synced = false; // in the management file as this program last read or wrote it
};

} // namespace mirte
