#pragma once

#include "browse/image_list_host.h"

#include <QList>
#include <functional>

namespace mirte::test {

// Stands for the main window: records what the loader reports and can act at a given moment
// (the hook runs on the GUI thread, inside the loader's hand-over).
class RecordingHost : public TImageListHost {
public:
    void SetLoadProgress(int percent) override {
        Progress.append(percent);
        if (OnProgress) {
            OnProgress(percent);
        }
    }
    void SetRepaintItemEnabled(bool enabled) override { RepaintEnabled.append(enabled); }
    void SetWalkProgress(int folders, int files) override { Walked.append({folders, files}); }
    void SetTreeWalked(int folders, int, const std::vector<TWalkSkip>& skipped) override {
        WalkedFolders = folders;
        Skipped = skipped;
    }

    QList<int> Progress;
    QList<bool> RepaintEnabled;
    QList<QPair<int, int>> Walked;
    int WalkedFolders = -1; // -1: no walk ended
    std::vector<TWalkSkip> Skipped;
    std::function<void(int)> OnProgress;
};

} // namespace mirte::test
