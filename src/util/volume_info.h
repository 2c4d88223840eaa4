#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <sys/stat.h>

namespace mirte {

// The label and the 32-bit identity ("XXXX-XXXX") of the file system that holds the path.
// The identity comes from the file system's UUID where the system names one, else from the
// identity the kernel reports for it, so it stays the same across runs and reboots.
// Always true, as callers expect; a path whose volume cannot be asked leaves both texts empty.
bool GetVolumeInfo(const QString& fileName, QString& label, QString& serial);

// The same for an existing path whose status the caller has already read.
void GetVolumeInfoAt(const QByteArray& nativePath, const struct stat& status, QString& label,
                     QString& serial);

// Whether the path lies on the volume with exactly this label and identity.
bool SameVolume(const QString& fileName, const QString& label, const QString& serial);

// 0x1A2B3C4D -> "1A2B-3C4D".
QString FormatVolumeSerial(quint32 serial);

// The 32-bit identity within a file-system UUID: a FAT serial ("1A2B-3C4D") as it is, the low
// half of a 64-bit NTFS serial, the first 32 bits of any longer UUID. False when no hex digits.
bool SerialFromUuid(QStringView uuid, quint32& serial);

} // namespace mirte
