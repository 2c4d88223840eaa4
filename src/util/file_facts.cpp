#include "file_facts.h"

#include "date_time_text.h"
#include "volume_info.h"

#include <QFile>
#include <sys/stat.h>

namespace mirte {

bool FileExistsExact(const QString& fileName) {
    struct stat st {};
    if (fileName.isEmpty() || ::stat(QFile::encodeName(fileName).constData(), &st) != 0) {
        return false;
    }
    return !S_ISDIR(st.st_mode);
}

bool GetFileTimeSize(const QString& fileName, QString& timeText, qint64& size, bool* isFolder) {
    timeText.clear();
    size = 0;
    struct stat st {};
    if (fileName.isEmpty() || ::stat(QFile::encodeName(fileName).constData(), &st) != 0) {
        return false;
    }
    timeText = DateTimeToText(static_cast<std::time_t>(st.st_mtim.tv_sec));
    size = static_cast<qint64>(st.st_size);
    if (isFolder != nullptr) {
        *isFolder = S_ISDIR(st.st_mode);
    }
    return true;
}

bool SameFileTimeSize(const QString& fileName, const QString& timeText, qint64 size) {
    QString actualTime;
    qint64 actualSize = 0;
    return GetFileTimeSize(fileName, actualTime, actualSize) && actualTime == timeText &&
           actualSize == size;
}

TFileLook LookAtFile(const QString& fileName) {
    TFileLook look;
    struct stat st {};
    const QByteArray path = QFile::encodeName(fileName);
    if (fileName.isEmpty() || ::stat(path.constData(), &st) != 0) {
        return look;
    }
    look.Exists = true;
    look.IsFolder = S_ISDIR(st.st_mode);
    look.Time = DateTimeToText(static_cast<std::time_t>(st.st_mtim.tv_sec));
    look.Size = static_cast<qint64>(st.st_size);
    GetVolumeInfoAt(path, st, look.VolLabel, look.VolSer);
    return look;
}

bool SameFileFacts(const QString& fileName, const QString& timeText, qint64 size,
                   const QString& label, const QString& serial) {
    return LookAtFile(fileName).Is(timeText, size, label, serial);
}

} // namespace mirte
