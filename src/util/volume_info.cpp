#include "volume_info.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <utility>

namespace mirte {

namespace {

struct VolumeFacts {
    QString label;
    QString serial;
};

// The kernel's identity of a mounted file system; cheap to ask on every call.
struct VolumeKey {
    dev_t device = 0;
    unsigned long fsid = 0;
    auto operator<=>(const VolumeKey&) const = default;
};

QString UuidOfDevice(const QString& device) {
    const QString wanted = QFileInfo(device).canonicalFilePath();
    if (wanted.isEmpty()) {
        return {};
    }
    const QDir byUuid(QStringLiteral("/dev/disk/by-uuid"));
    const auto entries = byUuid.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.canonicalFilePath() == wanted) {
            return entry.fileName();
        }
    }
    return {};
}

quint32 Fold(unsigned long long value) {
    return static_cast<quint32>(value) ^ static_cast<quint32>(value >> 32);
}

VolumeFacts ReadVolumeFacts(const QString& path, const VolumeKey& key) {
    const QStorageInfo storage(path);
    VolumeFacts facts;
    if (!storage.isValid()) {
        return facts;
    }
    facts.label = storage.name();
    quint32 serial = 0;
    const QString uuid = UuidOfDevice(QString::fromLocal8Bit(storage.device()));
    if (uuid.isEmpty() || !SerialFromUuid(uuid, serial)) {
        serial = key.fsid != 0 ? Fold(key.fsid) : Fold(static_cast<unsigned long long>(key.device));
    }
    facts.serial = FormatVolumeSerial(serial);
    return facts;
}

// The nearest existing folder or file on the path, so that a vanished file still names its
// volume.
QByteArray ExistingPath(const QString& fileName, struct stat& st) {
    if (fileName.startsWith(QLatin1Char('/'))) {
        QByteArray native = QFile::encodeName(fileName);
        if (::stat(native.constData(), &st) == 0) {
            return native; // the usual case, without any path arithmetic
        }
    }
    QString path = QFileInfo(fileName).absoluteFilePath();
    for (;;) {
        QByteArray native = QFile::encodeName(path);
        if (::stat(native.constData(), &st) == 0) {
            return native;
        }
        const QString parent = QFileInfo(path).path();
        if (parent == path) {
            return {};
        }
        path = parent;
    }
}

} // namespace

void GetVolumeInfoAt(const QByteArray& path, const struct stat& st, QString& label,
                     QString& serial) {
    label.clear();
    serial.clear();
    struct statvfs vfs {};
    if (::statvfs(path.constData(), &vfs) != 0) {
        return;
    }
    const VolumeKey key{st.st_dev, vfs.f_fsid};

    // Reading the mount table costs far more than the file facts, so each volume is asked once.
    static std::mutex mutex;
    static std::map<VolumeKey, VolumeFacts> known;
    {
        const std::lock_guard lock(mutex);
        if (const auto found = known.find(key); found != known.end()) {
            label = found->second.label;
            serial = found->second.serial;
            return;
        }
    }
    VolumeFacts facts = ReadVolumeFacts(QFile::decodeName(path), key);
    label = facts.label;
    serial = facts.serial;
    const std::lock_guard lock(mutex);
    known.emplace(key, std::move(facts));
}

bool GetVolumeInfo(const QString& fileName, QString& label, QString& serial) {
    label.clear();
    serial.clear();
    if (fileName.isEmpty()) {
        return true;
    }
    struct stat st {};
    const QByteArray path = ExistingPath(fileName, st);
    if (!path.isEmpty()) {
        GetVolumeInfoAt(path, st, label, serial);
    }
    return true;
}

bool SameVolume(const QString& fileName, const QString& label, const QString& serial) {
    QString actualLabel;
    QString actualSerial;
    GetVolumeInfo(fileName, actualLabel, actualSerial);
    return actualLabel == label && actualSerial == serial;
}

QString FormatVolumeSerial(quint32 serial) {
    const QString hex = QStringLiteral("%1").arg(serial, 8, 16, QLatin1Char('0')).toUpper();
    return hex.left(4) + QLatin1Char('-') + hex.mid(4);
}

bool SerialFromUuid(QStringView uuid, quint32& serial) {
    QString digits;
    for (const QChar c : uuid) {
        const char16_t u = c.unicode();
        if ((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')) {
            digits.append(c);
        }
    }
    if (digits.isEmpty()) {
        return false;
    }
    QString chosen;
    if (digits.size() == 16) {
        chosen = digits.right(8); // NTFS: the low half is the serial Windows shows
    } else {
        chosen = digits.left(8);
    }
    bool ok = false;
    serial = chosen.toUInt(&ok, 16);
    return ok;
}

} // namespace mirte
