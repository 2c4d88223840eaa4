#include "picture_decoder.h"

#include "area_scaler.h"
#include "format_table.h"
#include "orientation.h"
#include "picture_error.h"

#include <QCoreApplication>

namespace mirte {

QImage DecodePictureTo(const QString& path, const PictureHeader& header, QSize upright) {
    // The size as the decoder delivers it (the same swap undoes itself).
    const QSize stored = header.decoderTurns ? upright : UprightSize(upright, header.orientation);
    AreaScaler scaler(stored);
    const FormatEntry* entry = FindFormat(header.format);
    if (entry == nullptr) {
        ThrowPictureError(
            path, QCoreApplication::translate("PictureErrors", "画像の形式がわかりません。"));
    }
    entry->decode(path, stored, scaler);
    return header.decoderTurns ? scaler.Result() : MakeUpright(scaler.Result(), header.orientation);
}

} // namespace mirte
