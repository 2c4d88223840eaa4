#pragma once

#include "cache_log.h"
#include "th_image.h"
#include "th_image_owner.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <memory>
#include <unordered_set>
#include <vector>

namespace mirte {

// The cache's records in least-recently-used order (new and served records go to the end,
// eviction takes from the front, searches start at the end), the bitmap numbering and the size
// limit.
class TThImageBase : public TThImageOwner {
    Q_DECLARE_TR_FUNCTIONS(TThImageBase)

public:
    static constexpr int ReserveCount = 1000; // numbers are freed in blocks of this many
    static constexpr int HalfRange = SaveCountMax / 2;

    explicit TThImageBase(CacheLog log = CacheLog());

    // Frees every record and starts afresh (counter, total size, Disabled, Modified).
    void Clear() override;

    TThImage* Image(int index) const { return static_cast<TThImage*>(At(index)); }
    TThImage& Key() { return m_key; }

    // The most recently used record that matches the key and whose source is still as recorded,
    // or null. Only the records of the key's path are tried (an index by path), most recently
    // used first. `look`: the source as the caller found it; looked at here when not given.
    TThImage* FindImage(const TThImage& key, const TFileLook* look = nullptr);
    TThImage* AddImage(std::unique_ptr<TThImage> record);
    // Takes the record out and frees it; its bitmap file stays. The next merge keeps the
    // number's record out of the table; DropImage does not, for a record whose number another
    // program has stored another picture under.
    void RemoveImage(TThImage* record);
    void DropImage(TThImage* record);
    // Deletes the record's bitmap file, then the record. A file that cannot be deleted disables
    // the cache and raises ECacheError "ビットマップファイル%sを削除できません".
    void DeleteImage(TThImage* record);
    // Writes the record's thumbnail (`encoded` when not empty, else made from `bitmap`) as a
    // new file under the next free number, never replacing a file another program put there,
    // and reads back its time and size. False while the cache is disabled; a failed write
    // disables the cache and raises.
    bool StoreBitmap(TThImage& record, const QImage& bitmap, const QByteArray& encoded);
    // Marks the record as just used: new LastAccess, to the end.
    void TouchImage(TThImage* record);
    TThImage* OldestImage() const { return Count() > 0 ? Image(0) : nullptr; }

    // The next bitmap number; entering a block of 1,000 first deletes the records in it.
    int NextSaveID();
    void ReserveIDs(int first, int count);

    qint64 UpperLimit() const; // 90 % of the limit, in bytes
    qint64 LowerLimit() const; // 80 %
    // Evicts when the stored bitmaps pass the upper limit.
    void CheckSize();
    // Deletes up to maxCount of the oldest records with their bitmaps, down to the lower limit.
    int Evict(int maxCount);

    // Makes a record from a management-file line and appends it, applying the counter rule.
    // Null for a line that ParseImage refuses.
    TThImage* LoadImage(QStringView line, std::unordered_set<int>* seenIds = nullptr);
    // Appends a record read from the management file, applying the counter rule.
    TThImage* LoadRecord(std::unique_ptr<TThImage> record);
    // A record from a management-file line, not added; null for a line that does not parse,
    // whose bitmap number is already in `seenIds`, or whose bitmap file is missing or of another
    // size than recorded.
    std::unique_ptr<TThImage> ParseImage(QStringView line, std::unordered_set<int>* seenIds);

    // The records are now the management file's: nothing of this program's is pending.
    void MarkSynced();
    // Takes in the management file as another program left it (`fromFile`, its records in the
    // file's order): its records join, those it no longer has are dropped (another program
    // evicted them) unless this program made them since, those this program deleted stay
    // deleted, and a record used here and there takes the place of its later use. A picture
    // both stored keeps the file's record. The table is then to be written.
    void Merge(std::vector<std::unique_ptr<TThImage>> fromFile);

    static QString TitleLine();
    const CacheLog& Log() const { return m_log; }

    int SaveCounter = -1;
    QString SaveCounterTime;
    qint64 TotalSize = 0;
    bool Disabled = false;
    bool Modified = false;

private:
    void Reset();
    void Unindex(const TThImage* record);
    void Index(TThImage* record);
    void RestoreCounter(const TThImage& record);

    CacheLog m_log;
    TThImage m_key;
    // The records of each source path; a folder of thousands of cached pictures would otherwise
    // cost a scan of the whole list per request.
    QHash<QString, std::vector<TThImage*>> m_byName;
    quint64 m_lastUse = 0;   // stamps records as they are added or served, for their recency
    quint64 m_syncedUse = 0; // m_lastUse when the records were last the file's
    std::unordered_set<int> m_removed; // numbers of records deleted since then
};

// The present local time as the cache writes it.
QString NowText();

} // namespace mirte
