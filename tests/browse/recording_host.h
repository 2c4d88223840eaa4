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

    QList<int> Progress;
    QList<bool> RepaintEnabled;
    std::function<void(int)> OnProgress;
};

} // namespace mirte::test
