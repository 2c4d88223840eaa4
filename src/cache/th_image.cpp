#include "th_image.h"

#include "picture/stored_thumbnail.h"
#include "record_fields.h"
#include "util/errors.h"
#include "util/file_facts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace mirte {

namespace {

bool ParseDecimal(const QString& text, qint64 low, qint64 high, qint64& value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size() || text.size() - i > 18) {
        return false;
    }
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') {
            return false;
        }
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
    }
    value = negative ? -magnitude : magnitude;
    return value >= low && value <= high;
}

bool ParseInt(const QString& text, int& value) {
    qint64 wide = 0;
    if (!ParseDecimal(text, INT32_MIN, INT32_MAX, wide)) {
        return false;
    }
    value = static_cast<int>(wide);
    return true;
}

} // namespace

bool TThImage::Matches(const TThEntry& key) const {
    const auto& other = static_cast<const TThImage&>(key);
    return OrgFileName == other.OrgFileName && ReqWidth == other.ReqWidth &&
           ReqHeight == other.ReqHeight;
}

QStringList TThImage::Columns() const {
    return {QStringLiteral("T"),
            LastAccess,
            OrgFileName,
            QString::number(SaveID),
            QString::number(ReqWidth),
            QString::number(ReqHeight),
            QString::number(Org.Width),
            QString::number(Org.Height),
            Org.CreateTime,
            Org.UpdateTime,
            Org.FileTime,
            QString::number(Org.FileSize),
            Org.VolLabel,
            Org.VolSer,
            ThFileTime,
            QString::number(ThFileSize)};
}

QString TThImage::ToStr() const {
    QStringList fields = Columns();
    for (QString& field : fields) {
        field = QuoteField(field);
    }
    return fields.join(u',');
}

bool TThImage::FromStr(QStringView line) {
    const QStringList f = SplitFields(line);
    if (f.size() < 16 || f[0] != QLatin1String("T")) {
        return false;
    }
    TThImage parsed;
    qint64 saveId = 0;
    if (!ParseDecimal(f[3], 0, TThImageOwner::SaveCountMax - 1, saveId) ||
        !ParseInt(f[4], parsed.ReqWidth) || !ParseInt(f[5], parsed.ReqHeight) ||
        !ParseInt(f[6], parsed.Org.Width) || !ParseInt(f[7], parsed.Org.Height) ||
        !ParseDecimal(f[11], 0, INT64_MAX / 2, parsed.Org.FileSize) ||
        !ParseDecimal(f[15], 0, INT64_MAX / 2, parsed.ThFileSize)) {
        return false;
    }
    LastAccess = f[1];
    OrgFileName = f[2];
    SaveID = static_cast<int>(saveId);
    ReqWidth = parsed.ReqWidth;
    ReqHeight = parsed.ReqHeight;
    Org = {
        parsed.Org.Width, parsed.Org.Height, f[8], f[9], f[10], parsed.Org.FileSize, f[12], f[13]};
    ThFileTime = f[14];
    ThFileSize = parsed.ThFileSize;
    return true;
}

TThImageOwner* TThImage::Images() const {
    return static_cast<TThImageOwner*>(Owner);
}

QString TThImage::BitmapFileName() const {
    return Images()->CacheFileName.BitmapFileName(SaveID);
}

bool TThImage::LoadThBitmap(QImage& bitmap, QSize box) const {
    return ReadStoredThumbnail(BitmapFileName(), box, bitmap);
}

bool TThImage::BitmapIsOwn() const {
    QString time;
    qint64 size = -1;
    return GetFileTimeSize(BitmapFileName(), time, size) && time == ThFileTime &&
           size == ThFileSize;
}

bool TThImage::RemoveBitmapFile() const {
    const QString path = BitmapFileName();
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) {
        return false;
    }
    QDir().rmdir(QFileInfo(path).path()); // only an emptied folder goes
    return true;
}

} // namespace mirte
