#include "load_state.h"

namespace mirte {

QString LoadProgressText(int percent) {
    if (percent >= 100) {
        return QString::fromUtf8(kLoadFinishedText);
    }
    if (percent < 0) {
        return QString::fromUtf8(kLoadAbortedText);
    }
    return QStringLiteral(" 読込　%1%").arg(percent);
}

bool IsLoadFinished(const QString& panelText) {
    return panelText == QString::fromUtf8(kLoadFinishedText) ||
           panelText == QString::fromUtf8(kLoadAbortedText);
}

} // namespace mirte
