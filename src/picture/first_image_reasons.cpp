#include "first_image_reasons.h"

#include <QCoreApplication>

namespace mirte {

QString FirstImageReason(TFirstImageRefusal refusal) {
    switch (refusal) {
    case TFirstImageRefusal::None:
        return QString();
    case TFirstImageRefusal::NoOwnImage:
        return QCoreApplication::translate("FirstImageReasons", "ファイルに縮小画像がありません。");
    case TFirstImageRefusal::Damaged:
        return QCoreApplication::translate("FirstImageReasons", "縮小画像が壊れています。");
    case TFirstImageRefusal::AspectDiffers:
        return QCoreApplication::translate("FirstImageReasons",
                                           "縮小画像の縦横比が画像と異なります。");
    case TFirstImageRefusal::NotCroppable:
        return QCoreApplication::translate(
            "FirstImageReasons", "縮小画像の黒帯を切り取っても縦横比が画像と合いません。");
    }
    return QString();
}

} // namespace mirte
