#pragma once

#include <QString>
#include <QStringList>

namespace mirte {

class TThumbnailDB;

// A listed file's facts, as the grid and the print layouts hold them: nine texts at these
// positions.
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

// Nine empty facts.
inline QStringList EmptyInfo() {
    static const QStringList empty(InfoCount); // shared by every item until one is written
    return empty;
}

// Whether the path names a movie, which is shown by its file type's icon and never decoded.
bool IsMovieFile(const QString& path);

// Empty facts but for the name and the path.
QStringList NamedInfo(const QString& path);

// The facts of a picture (TInfoEntry positions) from the cache, its size as shown (the cache's
// records keep it as stored). A picture whose facts cannot be read gets only its name and path.
QStringList PictureFacts(TThumbnailDB& db, const QString& path);

// The facts of a movie from its directory entry; only name and path when the entry is gone.
QStringList MovieFacts(const QString& path);

// The facts of any listed file, movie or picture; a file whose facts cannot be read at all
// gets only its name and path (it is listed all the same).
QStringList ItemFacts(TThumbnailDB& db, const QString& path);

// The date a listed file is known by: its shooting date, else its last-write time.
QString ShotOrFileTime(const QStringList& info);

} // namespace mirte
