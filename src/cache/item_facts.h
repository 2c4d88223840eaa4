#pragma once

#include "util/date_stamp.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace mirte {

// The nine texts of a listed file that the grid shows and the print layouts print, at these
// positions; InfoText makes each from the file's TItemFacts.
enum TInfoEntry {
    ieLoadMark = 0, // empty until the thumbnail was fetched ("Finished" after that)
    ieFileName = 1, // name without folder
    ieFullPath = 2, // the file's full path
    ieFileSize = 3, // size in bytes, decimal
    ieFileTime = 4, // last-write time, "yyyy/mm/dd hh:mm:ss"
    ieShotTime = 5, // shooting date in the same form, empty when there is none
    ieWidth = 6,    // picture width in pixels, as shown (turned upright)
    ieHeight = 7,   // picture height in pixels, as shown
    ieSortLine = 8, // the caption line of the current order, may be empty
};
constexpr int InfoCount = 9;

// The orders of a folder's items (the grid's and the print layouts'), all ascending.
enum TSortOrder {
    soName = 0, // 名前順: file name, a to z folded to upper case, digit runs as numbers
    soSize = 1, // サイズ順: file size
    soShot = 2, // 撮影順: shooting date, else the file's last-write time
};
constexpr int SortOrderCount = 3;

// How a picture is turned to be shown upright, as far as it is known.
enum class TItemTurn : quint8 {
    Unknown,  // not found: a movie, a file without facts, a turn that could not be read
    AsStored, // its sides as stored (upright, turned by a half or mirrored)
    Quarter,  // turned by a quarter: the shown width is the stored height
};

// A listed file's facts, as the grid and the print layouts hold them, from the listing on.
struct TItemFacts {
    QString Name; // without folder
    QString FullPath;
    // The folder it lies in, relative to the folder shown ("2024/旅行"); empty in that folder
    // itself, so always empty unless subfolders are shown.
    QString Folder;
    qint64 FileSize = -1; // bytes; -1 while unknown (facts that could not be read)
    TDateStamp FileTime;  // last-write time; null while unknown
    TDateStamp ShotTime;  // EXIF shooting date; null when there is none
    QSize Shown;          // pixels as shown (a movie: its icon's); invalid while unknown
    TItemTurn Turn = TItemTurn::Unknown;
    bool Movie = false;  // shown by its file type's icon, never decoded
    bool Loaded = false; // its thumbnail was fetched (the load mark)
    int SortOrder = 0;   // the order (TSortOrder) whose caption line the item shows

    // The picture's pixel size as stored, before its turn; the shown size when that is unknown.
    QSize StoredSize() const { return Turn == TItemTurn::Quarter ? Shown.transposed() : Shown; }
    // The date the file is known by: its shooting date, else its last-write time.
    const TDateStamp& ShotOrFileTime() const { return ShotTime.IsNull() ? FileTime : ShotTime; }
};

// One of the nine texts, in its exact form; the one place they are made, for the grid and for
// the layouts' text fields alike.
QString InfoText(const TItemFacts& facts, TInfoEntry entry);
// All nine, at their positions.
QStringList InfoTexts(const TItemFacts& facts);

// The caption line (ieSortLine) of an item for the order: empty for names; "1205KB (640x480)"
// for sizes (empty when the size is unknown); the shooting date, else the file time, for
// shooting dates, so that the line shows what the order uses.
QString SortCaptionLine(const TItemFacts& facts, int order);

// The name as a caption that tells two items of a tree apart: "2024/旅行/IMG_0001.JPG" for an
// item in a subfolder, the bare name for one in the folder shown.
QString NameWithFolder(const TItemFacts& facts);
// The folder of `path` relative to `root` ("" when it lies in root itself or outside it).
QString RelativeFolder(const QString& root, const QString& path);

// Whether the path names a movie, which is shown by its file type's icon and never decoded.
bool IsMovieFile(const QString& path);

// No facts but the name, the path and whether it is a movie.
TItemFacts NamedFacts(const QString& path);

} // namespace mirte
