#include "first_image_reasons.h"

namespace mirte {

QString FirstImageReason(TFirstImageRefusal refusal) {
    switch (refusal) {
    case TFirstImageRefusal::None:
        return QString();
    case TFirstImageRefusal::NoOwnImage:
        return QStringLiteral("ファイルに縮小画像がありません。");
    case TFirstImageRefusal::Damaged:
        return QStringLiteral("縮小画像が壊れています。");
    case TFirstImageRefusal::AspectDiffers:
        return QStringLiteral("縮小画像の縦横比が画像と異なります。");
    case TFirstImageRefusal::NotCroppable:
        return QStringLiteral("縮小画像の黒帯を切り取っても縦横比が画像と合いません。");
    }
    return QString();
}

} // namespace mirte
