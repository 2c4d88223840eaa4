#include "load_state.h"

#include <QCoreApplication>

namespace mirte {

QString LoadProgressText(int percent) {
    if (percent >= 100) {
        return QCoreApplication::translate("LoadState", kLoadFinishedText);
    }
    if (percent < 0) {
        return QCoreApplication::translate("LoadState", kLoadAbortedText);
    }
    return QCoreApplication::translate("LoadState", " 読込　%1%").arg(percent);
}

bool LoadEnded(int percent) {
    return percent >= 100 || percent < 0;
}

bool IsLoadFinished(const QString& panelText) {
    return panelText == QCoreApplication::translate("LoadState", kLoadFinishedText) ||
           panelText == QCoreApplication::translate("LoadState", kLoadAbortedText);
}

} // namespace mirte
