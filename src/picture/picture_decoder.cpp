#include "picture_decoder.h"

#include "area_scaler.h"
#include "bmp_decoder.h"
#include "jpeg_decoder.h"
#include "orientation.h"
#include "picture_error.h"
#include "png_decoder.h"
#include "tiff_decoder.h"

namespace mirte {

QImage DecodePictureTo(const QString& path, const PictureHeader& header, QSize upright) {
    const QSize stored = UprightSize(upright, header.orientation); // the same swap undoes itself
    AreaScaler scaler(stored);
    switch (header.format) {
    case PictureFormat::Jpeg:
        DecodeJpeg(path, stored, scaler);
        break;
    case PictureFormat::Png:
        DecodePng(path, scaler);
        break;
    case PictureFormat::Tiff:
        DecodeTiff(path, scaler);
        break;
    case PictureFormat::Bmp:
        DecodeBmp(path, scaler);
        break;
    case PictureFormat::Unknown:
        ThrowPictureError(path, QStringLiteral("画像の形式がわかりません。"));
    }
    return MakeUpright(scaler.Result(), header.orientation);
}

} // namespace mirte
