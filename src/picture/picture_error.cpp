#include "picture_error.h"

#include "util/errors.h"

namespace mirte {

EPictureError::EPictureError(const QString& message) : std::runtime_error(message.toStdString()) {}

void ThrowPictureError(const QString& path, const QString& detail) {
    throw EPictureError(FormatMessage("画像 \"%s\" を読み込めません。詳細：%s",
                                      qUtf8Printable(path), qUtf8Printable(detail)));
}

} // namespace mirte
