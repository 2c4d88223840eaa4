#include "th_table.h"

#include "picture/picture_error.h"
#include "util/delete_tree.h"
#include "util/errors.h"
#include "util/file_access.h"
#include "util/file_facts.h"
#include "util/text_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sys/stat.h>

namespace mirte {

TThTable::TThTable(CacheLog log) : m_images(log), m_log(log) {}

namespace {

// Lets the folder's lock go at the end of a step.
class TLockStep {
public:
    explicit TLockStep(TFileLock& lock) : m_lock(lock) {}
    ~TLockStep() { m_lock.Unlock(); }
    TLockStep(const TLockStep&) = delete;
    TLockStep& operator=(const TLockStep&) = delete;

private:
    TFileLock& m_lock;
};

} // namespace

void TThTable::SetMaxSize(qint64 sizeKB) {
    m_images.CacheFileName.MaxSizeKB = sizeKB;
    m_log.Write("設定 キャッシュ最大サイズ：%lldKB", static_cast<long long>(sizeKB));
}

TThTable::TStamp TThTable::StampOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return {};
    }
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::vector<std::unique_ptr<TThImage>> TThTable::ReadRecords(const QString& path) {
    std::vector<std::unique_ptr<TThImage>> records;
    if (!FileExistsExact(path)) {
        m_lineNo = 0;
        return records;
    }
    QElapsedTimer timer;
    timer.start();
    TInputTextFile file(path);
    file.Open();
    m_lineNo = 0;
    int comments = 0;
    std::unordered_set<int> seenIds;
    while (!file.Eof()) {
        ++m_lineNo;
        const QString line = file.ReadLine();
        if (DebugFlagOn(TDebugFlag::DebugLoadRec)) {
            m_log.Write("L%.5d %s", m_lineNo, qUtf8Printable(line));
        }
        if (line.isEmpty() || line.startsWith(u'D')) {
            continue;
        }
        if (line.startsWith(u'T')) {
            if (auto record = m_images.ParseImage(line, &seenIds)) {
                record->Line = m_lineNo;
                records.push_back(std::move(record));
            }
            continue;
        }
        ++comments;
    }
    file.Close();
    m_log.Write("管理情報ロード：%dミリ秒、%dレコード (コメント%dレコード) %s",
                int(timer.elapsed()), m_lineNo, comments, qUtf8Printable(path));
    return records;
}

void TThTable::LoadTable() {
    const QString path = TableFileName();
    const TStamp stamp = StampOf(path);
    std::vector<std::unique_ptr<TThImage>> records = ReadRecords(path);
    for (auto& record : records) {
        m_images.LoadRecord(std::move(record));
    }
    m_stamp = stamp;
    m_images.MarkSynced();
    m_images.Modified = false;
}

void TThTable::WriteTable(const QString& path) {
    TOutputTextFile file(path, TFileAccess::Private);
    file.Open();
    m_lineNo = 0;
    if (DebugFlagOn(TDebugFlag::DebugTitle)) {
        ++m_lineNo;
        file.WriteLine(TThImageBase::TitleLine());
        if (DebugFlagOn(TDebugFlag::DebugSaveRec)) {
            m_log.Write("管理情報格納 %s", qUtf8Printable(TThImageBase::TitleLine()));
        }
    }
    for (int i = 0; i < m_images.Count(); ++i) {
        ++m_lineNo;
        const QString line = m_images.Image(i)->ToStr();
        file.WriteLine(line);
        if (DebugFlagOn(TDebugFlag::DebugSaveRec)) {
            m_log.Write("L%.5d %s", m_lineNo, qUtf8Printable(line));
        }
    }
    file.Close(); // on the disk before it replaces the old file
}

void TThTable::SaveTable() {
    if (!m_images.Modified || !MayStore()) {
        m_log.Write("管理情報格納なし");
        TakeInOthers();
        return;
    }
    if (!Hold()) {
        m_log.Write("管理情報格納なし");
        return; // kept for the next save
    }
    TLockStep step(m_lock);
    QElapsedTimer timer;
    timer.start();
    const QString path = TableFileName();
    if (StampOf(path) != m_stamp) {
        // Another program wrote the file since this table read it: its records join first, and
        // the limit applies to them all.
        m_images.Merge(ReadRecords(path));
        m_images.CheckSize();
    }
    // Written whole or not at all: a failed save leaves the old file as it was.
    WriteTable(path);
    m_stamp = StampOf(path);
    m_images.MarkSynced();
    m_log.Write("管理情報格納：%dミリ秒、%dレコード %s", int(timer.elapsed()), m_lineNo,
                qUtf8Printable(path));
    m_images.Modified = false;
}

void TThTable::TakeInOthers() {
    const QString path = TableFileName();
    const TStamp stamp = StampOf(path);
    if (m_images.Modified || stamp == m_stamp) {
        return; // what this table has to write is merged when it is written
    }
    m_images.Merge(ReadRecords(path));
    m_images.MarkSynced();
    m_images.Modified = false;
    m_stamp = stamp;
}

void TThTable::SetCacheDir(const QString& dir) {
    if (dir.isEmpty()) {
        throw ECacheError(tr("空文字列のキャッシュディレクトリ名が要求されました"));
    }
    const QString old = GetCacheDir();
    if (dir == old) {
        return;
    }
    QElapsedTimer timer;
    timer.start();
    m_log.Write("設定 キャッシュディレクトリ： %s to %s", qUtf8Printable(old), qUtf8Printable(dir));
    if (!old.isEmpty()) {
        SaveTable();
        m_images.Clear();
    }
    m_readOnly = false;
    m_sharing = true;
    m_stamp = {};
    m_images.CacheFileName.CacheDir = dir;
    LoadTable();
    try {
        // Thumbnails of an older version are never read again: they go when the folder is
        // taken into use, not only when the user clears the cache.
        if (Hold()) {
            TLockStep step(m_lock);
            DeleteOldCaches();
        }
    } catch (const std::exception& error) {
        m_log.Write("%s", error.what()); // a folder left behind does not stop the switch
    }
    m_log.Write("キャッシュ切り換え終了：%dミリ秒 %s to %s", int(timer.elapsed()),
                qUtf8Printable(old), qUtf8Printable(dir));
}

int TThTable::DefaultLockWaitMs() {
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("MIRTE_CACHE_WAIT_MS", &ok);
    return ok && asked >= 0 ? asked : 3000;
}

bool TThTable::Hold() {
    if (!m_sharing || m_readOnly) {
        return !m_readOnly;
    }
    const QString path = m_images.CacheFileName.LockFileName();
    MakeFolderPath(GetCacheDir(), TFileAccess::Private); // the lock file lies in the cache folder
    TFileLock::TResult result = m_lock.Lock(path, std::min(m_lockWaitMs, QuietWaitMs));
    if (result == TFileLock::TResult::Busy && m_lockWaitMs > QuietWaitMs) {
        Tell(kWaitingMessage);
        result = m_lock.Lock(path, m_lockWaitMs - QuietWaitMs);
    }
    switch (result) {
    case TFileLock::TResult::Held:
        return true;
    case TFileLock::TResult::Busy:
        m_readOnly = true;
        Tell(kReadOnlyMessage);
        return false;
    case TFileLock::TResult::Unsupported:
        m_sharing = false;
        m_log.Write("キャッシュフォルダ %s のファイルシステムはロックできません。"
                    "他のミルテとは共有できません。",
                    qUtf8Printable(GetCacheDir()));
        return true;
    case TFileLock::TResult::NoLockFile:
        // Without a lock file (a folder where nothing can be made) the table goes on as one
        // program's: storing fails there and says so.
        return true;
    }
    return true;
}

bool TThTable::MayStore() {
    if (!m_readOnly) {
        return true;
    }
    if (m_lock.Lock(m_images.CacheFileName.LockFileName(), 0) != TFileLock::TResult::Held) {
        return false;
    }
    m_lock.Unlock();
    m_readOnly = false; // the program that hung on to it has gone
    return true;
}

void TThTable::Tell(const char* pattern) {
    const QString folder = GetCacheDir();
    m_log.Write("%s", qUtf8Printable(QString::fromUtf8(pattern).arg(folder)));
    if (m_onBusy) {
        m_onBusy(tr(pattern).arg(folder));
    }
}

void TThTable::ClearCache() {
    const QString path = DataDir();
    if (QFileInfo(path).fileName() != m_images.CacheFileName.DataDirName()) {
        throw ECacheError(tr("キャッシュ情報名が不正です。Dir=%1").arg(path));
    }
    if (!MayStore() || !Hold()) {
        throw ECacheError(tr(kCannotClearMessage).arg(GetCacheDir()));
    }
    TLockStep step(m_lock);
    QElapsedTimer timer;
    timer.start();
    const int count = m_images.Count();
    m_images.Clear();
    DeleteTree(path);
    m_stamp = {};
    m_log.Write("キャッシュクリア：%dミリ秒、%dレコード %s", int(timer.elapsed()), count,
                qUtf8Printable(path));
    DeleteOldCaches();
}

void TThTable::DeleteOldCaches() {
    if (GetCacheDir().isEmpty()) {
        return;
    }
    int deleted = 0;
    for (int round = 0; round < 11; ++round) {
        const QString old = m_images.CacheFileName.FindOldDataDir();
        if (old.isEmpty()) {
            break;
        }
        if (!QFileInfo(old).fileName().startsWith(TThCacheFileName::OldDirPrefix())) {
            throw ECacheError(tr("旧キャッシュ情報名が不正です。Dir=%1").arg(old));
        }
        QElapsedTimer timer;
        timer.start();
        DeleteTree(old); // removes a link as a link: nothing outside is touched
        ++deleted;
        m_log.Write("旧キャッシュ情報削除：%dミリ秒 %s", int(timer.elapsed()), qUtf8Printable(old));
    }
    if (deleted >= 10) {
        throw ECacheError(tr("旧キャッシュ情報が多すぎます。Count=%1").arg(deleted));
    }
}

TThImage* TThTable::FindKeyed(const QString& fileName, int width, int height,
                              const TFileLook* look) {
    TThImage& key = m_images.Key();
    key.OrgFileName = fileName;
    key.ReqWidth = width;
    key.ReqHeight = height;
    return m_images.FindImage(key, look);
}

void TThTable::LogUnserved(const TThImage& record) {
    m_log.Write("レコード削除 元画像 %s サムネイル(%s)なし Line=%d",
                qUtf8Printable(record.OrgFileName), qUtf8Printable(record.BitmapFileName()),
                record.Line);
}

TThImage* TThTable::Find(const QString& fileName, int width, int height, const TFileLook* look) {
    TThImage* record = FindKeyed(fileName, width, height, look);
    if (record == nullptr || record->BitmapIsOwn()) {
        return record;
    }
    // Another program sharing the folder evicted it (or cleared the cache and stored another
    // picture under its number): a miss, and the record goes.
    LogUnserved(*record);
    m_images.DropImage(record);
    return nullptr;
}

const TThImage* TThTable::FindRecord(const QString& fileName, int width, int height,
                                     const TFileLook* look) {
    return Find(fileName, width, height, look);
}

std::optional<TThHit> TThTable::Lookup(const QString& fileName, int width, int height,
                                       QSize readBox, const TFileLook* look) {
    TThImage* record = Find(fileName, width, height, look);
    if (record == nullptr) {
        return std::nullopt;
    }
    TThHit hit;
    bool loaded = false;
    try {
        loaded = record->LoadThBitmap(hit.Bitmap, readBox);
    } catch (const EPictureError&) {
        loaded = false; // a damaged thumbnail counts as a missing one: render anew
    }
    if (loaded) {
        m_images.TouchImage(record);
        hit.Facts = record->Org;
        return hit;
    }
    LogUnserved(*record);
    m_images.RemoveImage(record);
    return std::nullopt;
}

bool TThTable::AddRecord(const QString& fileName, const QImage& bitmap, const TPictureFacts& facts,
                         int width, int height, const QByteArray& encoded) {
    if (!MayStore()) {
        return false;
    }
    m_images.CheckSize();
    if (m_images.Disabled) {
        return false;
    }
    auto record = std::make_unique<TThImage>();
    record->Owner = &m_images;
    record->OrgFileName = fileName;
    record->SetReqSize(width, height);
    record->Org = facts;
    record->LastAccess = NowText();
    {
        // Put in place while no other program clears the folder away.
        if (!Hold()) {
            return false;
        }
        TLockStep step(m_lock);
        if (!m_images.StoreBitmap(*record, bitmap, encoded)) {
            return false; // an error frees the record and passes on
        }
    }
    m_images.AddImage(std::move(record));
    return true;
}

bool TThTable::RemoveRecord(const QString& fileName, int width, int height) {
    MayStore();
    TThImage* record = FindKeyed(fileName, width, height, nullptr);
    if (record == nullptr) {
        return false;
    }
    m_log.Write("レコード削除 元画像 %s ", qUtf8Printable(record->OrgFileName));
    if (!m_readOnly && record->BitmapIsOwn()) {
        m_images.DeleteImage(record);
    } else {
        // Forgotten here only: the file is another program's now, or left to the lock's holder.
        m_images.DropImage(record);
    }
    return true;
}

} // namespace mirte
