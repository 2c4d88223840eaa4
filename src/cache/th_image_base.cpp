#include "th_image_base.h"

#include "picture/stored_thumbnail.h"
#include "util/date_time_text.h"
#include "util/errors.h"
#include "util/file_access.h"
#include "util/file_facts.h"
#include "util/replace_file.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>

namespace mirte {

namespace {

bool BitmapOfSize(const QString& path, qint64 size) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && st.st_size == size;
}

} // namespace

QString NowText() {
    return DateTimeToText(std::time(nullptr)); // the plain clock: every served hit asks for it
}

TThImageBase::TThImageBase(CacheLog log) : m_log(log) {
    m_key.Owner = this;
    m_log.Write("設定 Saveカウント上限=%d 予約個数=%d", SaveCountMax, ReserveCount);
    Reset();
}

void TThImageBase::Reset() {
    SaveCounter = -1;
    SaveCounterTime.clear();
    TotalSize = 0;
    Disabled = false;
    Modified = false;
}

void TThImageBase::Clear() {
    m_byName.clear();
    TThEntryBase::Clear();
    m_removed.clear();
    m_syncedUse = m_lastUse;
    Reset();
}

TThImage* TThImageBase::FindImage(const TThImage& key, const TFileLook* look) {
    QElapsedTimer timer;
    timer.start();
    TThImage* found = nullptr;
    SearchSteps = 0;
    if (const auto same = m_byName.constFind(key.OrgFileName); same != m_byName.constEnd()) {
        const TFileLook source = look != nullptr ? *look : LookAtFile(key.OrgFileName);
        std::vector<TThImage*> candidates = same.value();
        std::sort(candidates.begin(), candidates.end(),
                  [](const TThImage* a, const TThImage* b) { return a->LastUse > b->LastUse; });
        for (TThImage* candidate : candidates) {
            if (candidate->Matches(key) && candidate->SameSource(source)) {
                found = candidate;
                break;
            }
            ++SearchSteps;
        }
    }
    if (DebugFlagOn(TDebugFlag::DebugFindTime)) {
        m_log.Write("検索 %dミリ秒 %s %d/%d %s", int(timer.elapsed()),
                    found ? "Found" : "not Found", SearchSteps, Count(),
                    found ? qUtf8Printable(found->OrgFileName) : "");
    }
    return found;
}

void TThImageBase::Unindex(const TThImage* record) {
    const auto same = m_byName.find(record->OrgFileName);
    if (same == m_byName.end()) {
        return;
    }
    std::erase(same.value(), record);
    if (same.value().empty()) {
        m_byName.erase(same);
    }
}

void TThImageBase::Index(TThImage* record) {
    m_byName[record->OrgFileName].push_back(record);
}

TThImage* TThImageBase::AddImage(std::unique_ptr<TThImage> record) {
    TotalSize += record->ThFileSize;
    Modified = true;
    record->LastUse = ++m_lastUse;
    auto* added = static_cast<TThImage*>(Append(std::move(record)));
    Index(added);
    return added;
}

void TThImageBase::RemoveImage(TThImage* record) {
    m_removed.insert(record->SaveID);
    DropImage(record);
}

void TThImageBase::DropImage(TThImage* record) {
    TotalSize -= record->ThFileSize;
    Unindex(record);
    Take(record); // freed here
    Modified = true;
}

void TThImageBase::DeleteImage(TThImage* record) {
    if (!record->RemoveBitmapFile()) {
        const QString path = record->BitmapFileName();
        m_log.Write("ビットマップファイル%sを削除できません", qUtf8Printable(path));
        Disabled = true;
        throw ECacheError(tr("ビットマップファイル%1を削除できません").arg(path));
    }
    RemoveImage(record);
}

bool TThImageBase::StoreBitmap(TThImage& record, const QImage& bitmap, const QByteArray& encoded) {
    if (Disabled) {
        return false;
    }
    const QByteArray bytes = encoded.isEmpty() ? EncodeStoredThumbnail(bitmap) : encoded;
    QString path;
    try {
        // A number whose file exists is another program's (or a file no record owns): the next
        // one is tried, so that no two programs ever write the same file.
        for (int tries = 0;; ++tries) {
            record.SaveID = NextSaveID();
            path = CacheFileName.BitmapFileName(record.SaveID);
            if (!MakeFolderPath(QFileInfo(path).absolutePath(), TFileAccess::Private)) {
                throw ECacheError(tr("ファイル \"%1\" をオープンできません。").arg(path));
            }
            // No sync: a thumbnail cut short by a crash fails to decode when served, and is
            // dropped and made again.
            if (WriteNewFile(path, bytes, false, TFileAccess::Private)) {
                break;
            }
            if (tries >= ReserveCount) {
                throw ECacheError(tr("ファイル \"%1\" をオープンできません。").arg(path));
            }
        }
    } catch (const std::exception& error) {
        m_log.Write("ビットマップファイル%s格納時にエラーが発生しました：%s", qUtf8Printable(path),
                    error.what());
        Disabled = true;
        throw;
    }
    if (!GetFileTimeSize(path, record.ThFileTime, record.ThFileSize)) {
        return false;
    }
    SaveCounterTime = record.ThFileTime;
    return true;
}

void TThImageBase::TouchImage(TThImage* record) {
    record->LastAccess = NowText();
    record->LastUse = ++m_lastUse;
    MoveToEnd(record);
    Modified = true;
}

int TThImageBase::NextSaveID() {
    ++SaveCounter;
    if (SaveCounter >= SaveCountMax) {
        SaveCounter = 0;
    }
    if (SaveCounter % ReserveCount == 0) {
        ReserveIDs(SaveCounter, ReserveCount);
    }
    return SaveCounter;
}

void TThImageBase::ReserveIDs(int first, int count) {
    QElapsedTimer timer;
    timer.start();
    int deleted = 0;
    TThEntryReverseIterator it(*this);
    while (it.Next()) {
        auto* record = static_cast<TThImage*>(it.CurrentItem());
        if (record->SaveID >= first && record->SaveID < first + count) {
            DeleteImage(record);
            ++deleted;
        }
    }
    m_log.Write("ID予約 %d～%d %dミリ秒 %dエントリ削除", first, first + count, int(timer.elapsed()),
                deleted);
}

qint64 TThImageBase::UpperLimit() const {
    return static_cast<qint64>(std::nearbyint(double(CacheFileName.MaxSizeKB * 1024) * 0.9));
}

qint64 TThImageBase::LowerLimit() const {
    return static_cast<qint64>(std::nearbyint(double(CacheFileName.MaxSizeKB * 1024) * 0.8));
}

void TThImageBase::CheckSize() {
    const qint64 upper = UpperLimit();
    if (TotalSize > upper) {
        m_log.Write("サイズオーバー Curr=%lldKB UpperLimit=%lldKB", TotalSize / 1024, upper / 1024);
        Evict(100);
    }
}

int TThImageBase::Evict(int maxCount) {
    if (Disabled) {
        return 0;
    }
    const qint64 lower = LowerLimit();
    if (TotalSize <= lower) {
        return 0;
    }
    QElapsedTimer timer;
    timer.start();
    int deleted = 0;
    bool done = false;
    while (deleted < maxCount) {
        TThImage* oldest = OldestImage();
        if (oldest == nullptr) {
            done = true;
            break;
        }
        DeleteImage(oldest);
        ++deleted;
        if (TotalSize <= lower) {
            done = true;
            break;
        }
    }
    m_log.Write("サイズオーバーにより%d個のビットマップを削除しました。%dミリ秒 Curr=%lldKB "
                "LowerLimit=%lldKB",
                deleted, int(timer.elapsed()), TotalSize / 1024, lower / 1024);
    m_log.Write("サイズオーバーのビットマップは%s",
                done ? "もう残っていません" : "まだ残っています");
    return deleted;
}

void TThImageBase::RestoreCounter(const TThImage& record) {
    const int compared = QString::compare(record.ThFileTime, SaveCounterTime, Qt::CaseSensitive);
    bool take = compared > 0;
    if (compared == 0) {
        const int distance = std::abs(record.SaveID - SaveCounter);
        // Within half the range the larger number is newer; beyond it the counter has wrapped.
        take = distance < HalfRange ? record.SaveID > SaveCounter : record.SaveID < SaveCounter;
    }
    if (take) {
        SaveCounter = record.SaveID;
        SaveCounterTime = record.ThFileTime;
    }
}

std::unique_ptr<TThImage> TThImageBase::ParseImage(QStringView line,
                                                   std::unordered_set<int>* seenIds) {
    auto record = std::make_unique<TThImage>();
    if (!record->FromStr(line)) {
        return nullptr;
    }
    if (DebugFlagOn(TDebugFlag::DebugRecStr)) {
        const QString made = record->ToStr();
        if (made != line) {
            m_log.Write("FrStr: %s", qUtf8Printable(line.toString()));
            m_log.Write("ToStr: %s", qUtf8Printable(made));
            return nullptr;
        }
    }
    if (seenIds != nullptr && !seenIds->insert(record->SaveID).second) {
        return nullptr; // two records must never share a bitmap: deleting one would lose both
    }
    // A record must point at a whole bitmap: one that is missing or of another size is dropped,
    // so that the total size stays true.
    if (!BitmapOfSize(CacheFileName.BitmapFileName(record->SaveID), record->ThFileSize)) {
        return nullptr;
    }
    record->Synced = true;
    return record;
}

TThImage* TThImageBase::LoadImage(QStringView line, std::unordered_set<int>* seenIds) {
    std::unique_ptr<TThImage> record = ParseImage(line, seenIds);
    return record != nullptr ? LoadRecord(std::move(record)) : nullptr;
}

TThImage* TThImageBase::LoadRecord(std::unique_ptr<TThImage> record) {
    TThImage* added = AddImage(std::move(record));
    RestoreCounter(*added);
    return added;
}

void TThImageBase::MarkSynced() {
    for (int i = 0; i < Count(); ++i) {
        Image(i)->Synced = true;
    }
    m_removed.clear();
    m_syncedUse = m_lastUse;
}

QString TThImageBase::TitleLine() {
    return QStringLiteral("*RecID,LastAccess,OrgFileName,SaveID,ReqWidth,ReqHeight,OrgWidth,"
                          "OrgHeight,OrgCreateTime,OrgUpdateTime,OrgFileTime,OrgFileSize,"
                          "OrgVolLabel,OrgVolSer,ThFileTime,ThFileSize");
}

} // namespace mirte
