#include "picture_error.h"

#include "diag/failure_log.h"
#include "util/errors.h"

namespace mirte {

EPictureError::EPictureError(const QString& message, QString detail)
    : std::runtime_error(message.toStdString()), m_detail(std::move(detail)) {}

QString EPictureError::MessageWithDetail() const {
    return m_detail.isEmpty() ? Message() : QStringLiteral("%1 (%2)").arg(Message(), m_detail);
}

void ThrowPictureError(const QString& path, const QString& reason, const QString& detail) {
    EPictureError error(FormatMessage("画像 \"%s\" を読み込めません。詳細：%s",
                                      qUtf8Printable(path), qUtf8Printable(reason)),
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
