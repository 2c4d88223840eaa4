#pragma once

#include <QByteArray>
#include <QString>

namespace mirte {

// The refusals of the program's start.
inline constexpr const char* kNoPrinterMessage = "プリンタが設定されていません。";
inline constexpr const char* kNetworkCopyMessage =
    "本アプリケーションをローカルにコピーして起動し直してください。";

// The system knows at least one printer.
bool HasPrinter();

// The file system type (as the kernel names it) is reached over a network.
bool IsNetworkFileSystemType(const QByteArray& type);

// The path lies on a network file system (NFS, SMB/CIFS, sshfs ...).
bool IsOnNetworkFileSystem(const QString& path);

} // namespace mirte
