#include "first_image.h"

namespace mirte {

TFirstImage ReadFirstImage(const QString& /*path*/, QSize /*cover*/) {
    return {QImage(), TFirstImageRefusal::NoOwnImage, QStringLiteral("no first image yet")};
}

} // namespace mirte
