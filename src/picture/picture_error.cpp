#include "picture_error.h"

#include "diag/failure_log.h"
#include "util/errors.h"

#include <QCoreApplication>

namespace mirte {

EPictureError::EPictureError(const QString& message, QString detail)
    : std::runtime_error(message.toStdString()), m_detail(std::move(detail)) {}

QString EPictureError::MessageWithDetail() const {
    return m_detail.isEmpty() ? Message() : QStringLiteral("%1 (%2)").arg(Message(), m_detail);
}

void ThrowPictureError(const QString& path, const QString& reason, const QString& detail) {
    EPictureError error(
        QCoreApplication::translate("PictureErrors", "画像 \"%1\" を読み込めません。詳細：%2")
            .arg(path, reason),
        detail);
    if (!detail.isEmpty()) {
        LogFailure(error.MessageWithDetail());
    }
    throw error;
}

void ThrowPictureError(const QString& path, const TPictureFault& fault) {
    ThrowPictureError(path, fault.reason, fault.detail);
}

} // namespace mirte
