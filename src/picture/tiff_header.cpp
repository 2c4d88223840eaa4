#include "tiff_header.h"

#include "tiff_support.h"

#include <QCoreApplication>
#include <tiffio.h>

namespace mirte {

bool ReadTiffHeader(const QString& path, PictureHeader& header, TPictureFault& fault) {
    header = PictureHeader{PictureFormat::Tiff};
    const TiffHandle tiff = OpenTiff(path, fault);
    if (!tiff) {
        return false;
    }
    uint32_t width = 0;
    uint32_t height = 0;
    if (!TIFFGetField(tiff->Tiff(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff->Tiff(), TIFFTAG_IMAGELENGTH, &height)) {
        fault = {QCoreApplication::translate("PictureErrors", "TIFF の画像サイズがありません。"),
                 {}};
        return false;
    }
    header.width = width > 0x7FFFFFFFu ? -1 : static_cast<int>(width);
    header.height = height > 0x7FFFFFFFu ? -1 : static_cast<int>(height);
    return true;
}

} // namespace mirte
