#include "cache_fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mirte::test {

void WriteBitmapFile(const TThImageBase& images, int saveId, qint64 size) {
    const QString path = images.CacheFileName.BitmapFileName(saveId);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(size, 'b'));
}

QString RecordLine(const QString& source, int saveId, qint64 size, const QString& thFileTime) {
    TThImage record;
    record.LastAccess = QStringLiteral("2004/01/01 10:00:00");
    record.OrgFileName = source;
    record.SaveID = saveId;
    record.ReqWidth = record.ReqHeight = 512;
    record.Org.Width = 640;
    record.Org.Height = 480;
    record.Org.FileTime = QStringLiteral("2003/12/31 23:59:58");
    record.Org.FileSize = 1000;
    record.ThFileTime = thFileTime;
    record.ThFileSize = size;
    return record.ToStr();
}

TThImage* AddStoredRecord(TThImageBase& images, const QString& source, int saveId, qint64 size,
                          const QString& thFileTime) {
    WriteBitmapFile(images, saveId, size);
    return images.LoadImage(RecordLine(source, saveId, size, thFileTime));
}

} // namespace mirte::test
