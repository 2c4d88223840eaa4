#include "picture_limits.h"

#include "picture_error.h"

#include <QCoreApplication>

namespace mirte {

void CheckPictureSize(const QString& path, qint64 width, qint64 height) {
    if (width <= 0 || height <= 0) {
        ThrowPictureError(
            path, QCoreApplication::translate("PictureErrors", "画像サイズ (%1 x %2) が不正です。")
                      .arg(width)
                      .arg(height));
    }
    if (width > MaxPictureSide || height > MaxPictureSide || width * height * 4 > MaxPictureBytes) {
        ThrowPictureError(path, QCoreApplication::translate("PictureErrors",
                                                            "画像サイズ (%1 x %2) が大きすぎます。")
                                    .arg(width)
                                    .arg(height));
    }
}

} // namespace mirte
