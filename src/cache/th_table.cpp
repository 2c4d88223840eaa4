#include "th_table.h"

#include "picture/picture_error.h"
#include "util/delete_tree.h"
#include "util/errors.h"
#include "util/file_facts.h"
#include "util/text_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace mirte {

TThTable::TThTable(CacheLog log) : Images(log), m_log(log) {}

void TThTable::SetMaxSize(qint64 sizeKB) {
    Images.CacheFileName.MaxSizeKB = sizeKB;
    m_log.Write("設定 キャッシュ最大サイズ：%lldKB", static_cast<long long>(sizeKB));
}

void TThTable::LoadTable() {
    const QString path = TableFileName();
    if (!FileExistsExact(path)) {
        return;
    }
    QElapsedTimer timer;
    timer.start();
    TInputTextFile file(path);
    file.Open();
    LineNo = 0;
    int comments = 0;
    std::unordered_set<int> seenIds;
    while (!file.Eof()) {
        ++LineNo;
        const QString line = file.ReadLine();
        if (DebugFlagOn(TDebugFlag::DebugLoadRec)) {
            m_log.Write("L%.5d %s", LineNo, qUtf8Printable(line));
        }
        if (line.isEmpty() || line.startsWith(u'D')) {
            continue;
        }
        if (line.startsWith(u'T')) {
            if (TThImage* record = Images.LoadImage(line, &seenIds)) {
                record->Line = LineNo;
            }
            continue;
        }
        ++comments;
    }
    file.Close();
    m_log.Write("管理情報ロード：%dミリ秒、%dレコード (コメント%dレコード) %s",
                int(timer.elapsed()), LineNo, comments, qUtf8Printable(path));
    Images.Modified = false;
}

void TThTable::WriteTable(const QString& path) {
    TOutputTextFile file(path);
    file.Open();
    LineNo = 0;
    if (DebugFlagOn(TDebugFlag::DebugTitle)) {
        ++LineNo;
        file.WriteLine(TThImageBase::TitleLine());
        if (DebugFlagOn(TDebugFlag::DebugSaveRec)) {
            m_log.Write("管理情報格納 %s", qUtf8Printable(TThImageBase::TitleLine()));
        }
    }
    for (int i = 0; i < Images.Count(); ++i) {
        ++LineNo;
        const QString line = Images.Image(i)->ToStr();
        file.WriteLine(line);
        if (DebugFlagOn(TDebugFlag::DebugSaveRec)) {
            m_log.Write("L%.5d %s", LineNo, qUtf8Printable(line));
        }
    }
    file.Close(); // on the disk before it replaces the old file
}

void TThTable::SaveTable() {
    MayStore(); // a read-only table takes a folder that is free again: it stored nothing to lose
    if (!Images.Modified || m_readOnly) {
        m_log.Write("管理情報格納なし");
        return;
    }
    QElapsedTimer timer;
    timer.start();
    const QString path = TableFileName();
    // Written whole or not at all: a failed save leaves the old file as it was.
    WriteTable(path);
    m_log.Write("管理情報格納：%dミリ秒、%dレコード %s", int(timer.elapsed()), LineNo,
                qUtf8Printable(path));
    Images.Modified = false;
}

void TThTable::SetCacheDir(const QString& dir) {
    if (dir.isEmpty()) {
        throw ECacheError(QStringLiteral("空文字列のキャッシュディレクトリ名が要求されました"));
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
        Images.Clear();
    }
    m_lock.Unlock();
    m_readOnly = false;
    Current = nullptr;
    Images.CacheFileName.CacheDir = dir;
    TakeLock();
    LoadTable();
    try {
        // Thumbnails of an older version are never read again: they go when the folder is
        // taken into use, not only when the user clears the cache.
        if (!m_readOnly) {
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

void TThTable::TakeLock() {
    const QString path = Images.CacheFileName.LockFileName();
    QDir().mkpath(GetCacheDir()); // the lock file lies in the cache folder
    TFileLock::TResult result = m_lock.Lock(path, 0);
    if (result == TFileLock::TResult::Busy) {
        Tell(kWaitingMessage);
        result = m_lock.Lock(path, LockWaitMs);
    }
    // Without a lock file (a folder where nothing can be made) the table goes on as before:
    // storing fails there and says so.
    m_readOnly = result == TFileLock::TResult::Busy;
    if (m_readOnly) {
        Tell(kReadOnlyMessage);
    }
}

bool TThTable::MayStore() {
    if (!m_readOnly) {
        return true;
    }
    if (m_lock.Lock(Images.CacheFileName.LockFileName(), 0) != TFileLock::TResult::Held) {
        return false;
    }
    // The other program has gone: what it stored is read first (this table wrote nothing).
    Images.Clear();
    Current = nullptr;
    LoadTable();
    m_readOnly = false;
    return true;
}

void TThTable::Tell(const char* pattern) {
    const QString message = FormatMessage(pattern, qUtf8Printable(GetCacheDir()));
    m_log.Write("%s", qUtf8Printable(message));
    if (OnBusy) {
        OnBusy(message);
    }
}

void TThTable::ClearCache() {
    const QString path = DataDir();
    if (QFileInfo(path).fileName() != Images.CacheFileName.DataDirName()) {
        throw ECacheError(
            FormatMessage("キャッシュ情報名が不正です。Dir=%s", qUtf8Printable(path)));
    }
    if (!MayStore()) {
        throw ECacheError(FormatMessage(kCannotClearMessage, qUtf8Printable(GetCacheDir())));
    }
    QElapsedTimer timer;
    timer.start();
    const int count = Images.Count();
    Images.Clear();
    Current = nullptr;
    DeleteTree(path);
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
        const QString old = Images.CacheFileName.FindOldDataDir();
        if (old.isEmpty()) {
            break;
        }
        if (!QFileInfo(old).fileName().startsWith(TThCacheFileName::OldDirPrefix())) {
            throw ECacheError(
                FormatMessage("旧キャッシュ情報名が不正です。Dir=%s", qUtf8Printable(old)));
        }
        QElapsedTimer timer;
        timer.start();
        DeleteTree(old); // removes a link as a link: nothing outside is touched
        ++deleted;
        m_log.Write("旧キャッシュ情報削除：%dミリ秒 %s", int(timer.elapsed()), qUtf8Printable(old));
    }
    if (deleted >= 10) {
        throw ECacheError(FormatMessage("旧キャッシュ情報が多すぎます。Count=%d", deleted));
    }
}

void TThTable::FillKey(const QString& fileName, int width, int height) {
    TThImage& key = Images.Key();
    key.OrgFileName = fileName;
    key.ReqWidth = width;
    key.ReqHeight = height;
    Current = &key;
}

TThImage* TThTable::FindRecord(const QString& fileName, int width, int height,
                               const TFileLook* look) {
    FillKey(fileName, width, height);
    return Images.FindImage(Images.Key(), look);
}

bool TThTable::Lookup(const QString& fileName, int width, int height, QSize readBox,
                      const TFileLook* look) {
    TThImage* record = FindRecord(fileName, width, height, look);
    if (record == nullptr) {
        return false;
    }
    bool loaded = false;
    try {
        // While another program stores into the folder, a file is served only while it is
        // still the one the record describes: that program may have evicted it, or cleared the
        // cache and stored another picture under the same number.
        QString time;
        qint64 size = -1;
        loaded = (!m_readOnly || (GetFileTimeSize(record->BitmapFileName(), time, size) &&
                                  time == record->ThFileTime && size == record->ThFileSize)) &&
                 record->LoadThBitmap(&ResultBitmap, readBox);
    } catch (const EPictureError&) {
        loaded = false; // a damaged thumbnail counts as a missing one: render anew
    }
    if (loaded) {
        Images.TouchImage(record);
        Current = record;
        return true;
    }
    m_log.Write("レコード削除 元画像 %s サムネイル(%s)なし Line=%d",
                qUtf8Printable(record->OrgFileName), qUtf8Printable(record->BitmapFileName()),
                record->Line);
    record->Delete();
    return false;
}

void TThTable::AddRecord(const QString& fileName, const QImage& bitmap, const TPictureFacts& facts,
                         int width, int height, const QByteArray& encoded) {
    if (!MayStore()) {
        return;
    }
    Images.CheckSize();
    if (Images.Disabled) {
        return;
    }
    auto record = std::make_unique<TThImage>();
    record->Owner = &Images;
    record->OrgFileName = fileName;
    record->SetReqSize(width, height);
    record->Org = facts;
    record->LastAccess = NowText();
    record->SaveThBitmap(&bitmap, &encoded); // an error frees the record and passes on
    Current = Images.AddImage(std::move(record));
}

bool TThTable::RemoveRecord(const QString& fileName, int width, int height) {
    MayStore();
    FillKey(fileName, width, height);
    TThImage* record = Images.FindImage(Images.Key());
    if (record == nullptr) {
        return false;
    }
    m_log.Write("レコード削除 元画像 %s ", qUtf8Printable(record->OrgFileName));
    if (!m_readOnly) {
        record->DeleteBitmap(); // a read-only table forgets the record; the file is not its own
    }
    record->Delete();
    Current = nullptr;
    return true;
}

} // namespace mirte
