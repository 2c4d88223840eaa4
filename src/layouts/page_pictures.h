#pragma once

#include "cache/picture_scheduler.h"

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

namespace mirte {

class TThumbItemSource;
class TThumbnailDB;

// What a page shows in one of its picture boxes.
struct TPictureWant {
    QString Path;
    QSize Box;            // the picture box, in design pixels
    int Index = -1;       // the item in the layout's source; -1 for a picture from elsewhere
    QSize Picture;        // the picture's stored size as listed; empty when unknown
    QString FileTime;     // the file's time and size as listed: a file changed since prints
    qint64 FileSize = -1; // the thumbnail it was shown with
};

// What a run of pages does with its pictures.
enum class TPictureUse {
    Thumbnails, // a sample or a preview: the layout, not the ink (the grid's own thumbnails
                // where they cover a box, else the cache's, read no larger than the box needs)
    Paper,      // printing: where a box needs more pixels than the cache's thumbnail has, the
                // original is rendered for it at the paper's resolution (at most 300 ppi)
};

// The pictures of a run of pages, fetched through render workers: a page's pictures are asked
// for before it is drawn (and the next page's while it is drawn), found in the cache on this
// thread, and read, rendered or stored by the workers in parallel. The cache is used on the
// calling thread only; workers see a path and a box.
class TPagePictures {
public:
    // Pictures beyond this many pixels per inch nobody sees on paper.
    static constexpr int MaxPaperPpi = 300;

    // `devicePixels`: device pixels per design pixel of the run. `db` may be null (no cache: the
    // caller has its thumbnail, and only originals are rendered); `items` gives the grid's own
    // thumbnails, when there is a grid.
    TPagePictures(TThumbnailDB* db, const TThumbItemSource* items, TPictureUse use,
                  double devicePixels);
    // Waits for the renders under way (their thumbnails are still stored).
    ~TPagePictures();
    TPagePictures(const TPagePictures&) = delete;
    TPagePictures& operator=(const TPagePictures&) = delete;

    // Starts fetching the pictures of page `page` not asked for yet; returns at once.
    void Ask(int page, const std::vector<TPictureWant>& wants);
    // The picture asked for the path, waiting for it while it is on its way; null when there is
    // none (a file gone or undecodable, or one never asked for).
    QImage Take(const QString& path);
    // Lets go of the pictures of the pages before `page`.
    void Release(int page);

    // The pixels a box of design pixels gets on the device (capped at MaxPaperPpi on paper).
    QSize PixelsOf(QSize box) const;

private:
    struct Entry {
        int Page = 0;
        TPictureWant Want;
        QSize Pixels;
        bool Ready = false;
        QImage Picture;
    };

    void Start(Entry& entry);
    // Takes finished pictures into their entries, or sends one on (an original that failed
    // gives way to the thumbnail).
    void Finish(std::vector<TPictureResult>& results);
    // The cache's thumbnail, read no larger than the box needs: its stored file read, or made
    // on a miss.
    void SubmitFromCache(const Entry& entry);
    // Whether the paper needs the original; `look` is what the look at the file found.
    bool NeedsOriginal(const Entry& entry, TFileLook& look) const;
    TPictureScheduler& Scheduler();

    TThumbnailDB* m_db;
    const TThumbItemSource* m_items;
    TPictureUse m_use;
    double m_devicePixels;
    QHash<QString, Entry> m_entries;
    std::unique_ptr<TRenderPool> m_pool;
    std::unique_ptr<TPictureScheduler> m_scheduler;
};

// The want of item `index` of a layout's items for a picture box of `box` design pixels, with
// the facts the item was listed with.
TPictureWant WantOfItem(const TThumbItemSource& items, int index, QSize box);

// Whether a thumbnail of `have` pixels shows a picture in `box` as well as one of the picture's
// own size would: it is at least the picture fitted into the box on both sides.
bool Covers(QSize have, QSize box);

} // namespace mirte
