#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace mirte {

// The refusals of the program's start (translated where shown, in the context "StartupChecks").
inline constexpr const char* kNoPrinterMessage =
    QT_TRANSLATE_NOOP("StartupChecks", "プリンタが設定されていません。");
inline constexpr const char* kNetworkCopyMessage = QT_TRANSLATE_NOOP(
    "StartupChecks", "本アプリケーションをローカルにコピーして起動し直してください。");

// The system knows at least one printer.
bool HasPrinter();

// The file system type (as the kernel names it) is reached over a network.
bool IsNetworkFileSystemType(const QByteArray& type);

// The path lies on a network file system (NFS, SMB/CIFS, sshfs ...).
bool IsOnNetworkFileSystem(const QString& path);

} // namespace mirte
