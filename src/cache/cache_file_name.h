#pragma once

#include <QCoreApplication>
#include <QString>

namespace mirte {

// Every path of the cache: the data folder _TDB0200 inside the chosen cache folder, its
// management file, and the thumbnail files (JPEG) spread over sub-folders of 100 numbers each.
// Version 0100 stored the thumbnails as BMP files; its folders are only ever deleted.
class TThCacheFileName {
    Q_DECLARE_TR_FUNCTIONS(TThCacheFileName)

public:
    QString CacheDir;
    qint64 MaxSizeKB = 0;
    QString Version = QStringLiteral("0200");

    QString DataDirName() const { return QStringLiteral("_TDB") + Version; }
    // Raises ECacheError "キャッシュディレクトリが未設定です" when no cache folder is set.
    QString DataDir() const;
    QString TableFileName() const;
    // _TDB0200.lock beside the data folder: whoever stores into the folder holds it (it stays
    // when the data folder is cleared away, so that the lock on it goes on counting).
    QString LockFileName() const;
    // "A0001234" for 1234.
    static QString BitmapName(int id);
    // .../_TDB0200/A00012/A0001234.jpg for 1234.
    QString BitmapFileName(int id) const;
    static QString OldDirPrefix() { return QStringLiteral("_TDB"); }
    // The first sub-folder of the cache folder named "_TDB" (any case) followed by four
    // characters from "0000" up to, not including, the version: a data folder of an older
    // version. Empty when there is none.
    QString FindOldDataDir() const;
};

} // namespace mirte
