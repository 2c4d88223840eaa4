#pragma once

#include "shell/frm_thumbnail.h"
#include "support/temp_folder.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace mirte::test {

// The program's paths with everything in one folder (settings file, cache, ReadMe), as a portable
// copy has them.
TAppPaths ProgramPathsIn(const QString& folder);

// A main window on a scratch "program folder" (settings file and cache inside it) that answers
// every message box itself and records the messages.
struct WindowFixture {
    TempFolder Program;
    QStringList Messages;
    int Answer = 1;

    TAppPaths Paths() const;
    // The window showing the folder; messages are answered from the start.
    std::unique_ptr<TfrmThumbnail> Open(const QString& folder);
    QString CacheTableFile() const;
};

// Writes count small JPEG photos named p000.jpg ... into the folder; returns their paths.
QStringList WritePhotos(const QString& folder, int count, int width = 320, int height = 240);

// Waits (serving the loader's hand-overs) until the window shows " 読込完了" or " 読込中止".
bool WaitForLoadEnd(const TfrmThumbnail& window, int timeoutMs = 20000);

} // namespace mirte::test
