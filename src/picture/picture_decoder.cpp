#include "picture_decoder.h"

#include "area_scaler.h"
#include "bmp_decoder.h"
#include "heif_picture.h"
#include "jpeg_decoder.h"
#include "orientation.h"
#include "picture_error.h"
#include "png_decoder.h"
#include "raw_picture.h"
#include "tiff_decoder.h"
#include "webp_picture.h"

namespace mirte {

QImage DecodePictureTo(const QString& path, const PictureHeader& header, QSize upright) {
    // The size as the decoder delivers it (the same swap undoes itself).
    const QSize stored = header.decoderTurns ? upright : UprightSize(upright, header.orientation);
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
    case PictureFormat::WebP:
        DecodeWebp(path, stored, scaler);
        break;
    case PictureFormat::Raw:
        DecodeRaw(path, stored, scaler);
        break;
    case PictureFormat::Heif:
        DecodeHeif(path, stored, scaler);
        break;
    case PictureFormat::Unknown:
        ThrowPictureError(path, QStringLiteral("画像の形式がわかりません。"));
    }
    return header.decoderTurns ? scaler.Result() : MakeUpright(scaler.Result(), header.orientation);
}

} // namespace mirte
