#pragma once

#include <QString>
#include <QtGlobal>

namespace mirte {

// Whether the path names something that is not a folder (a link is followed).
bool FileExistsExact(const QString& fileName);

// The last-write time as a date-time text (whole seconds) and the size in bytes.
// A missing file gives false, an empty time and 0. `isFolder`, when given, tells whether the
// path names a folder (whose time and size are read too).
bool GetFileTimeSize(const QString& fileName, QString& timeText, qint64& size,
                     bool* isFolder = nullptr);

// Whether the file is still there with exactly this time text and size.
bool SameFileTimeSize(const QString& fileName, const QString& timeText, qint64 size);

// What one look at a file tells (a link is followed): whether it is there and a folder, its
// last-write time as a date-time text, its size, and its volume's label and identity.
struct TFileLook {
    bool Exists = false;
    bool IsFolder = false;
    QString Time;
    qint64 Size = 0;
    QString VolLabel;
    QString VolSer;

    // Whether the file is there, no folder, with exactly these facts.
    bool Is(const QString& time, qint64 size, const QString& label, const QString& serial) const {
        return Exists && !IsFolder && Time == time && Size == size && VolLabel == label &&
               VolSer == serial;
    }
};
TFileLook LookAtFile(const QString& fileName);

// SameFileTimeSize and SameVolume at once, from a single look at the file.
bool SameFileFacts(const QString& fileName, const QString& timeText, qint64 size,
                   const QString& label, const QString& serial);

} // namespace mirte
