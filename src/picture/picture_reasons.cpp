#include "picture_reasons.h"

#include "util/errors.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>
#include <libheif/heif.h>
#include <libraw/libraw.h>

namespace mirte {

namespace {

TPictureFault Fault(TPictureReason reason, const QString& format, const char* library,
                    const QString& words) {
    return {PictureReasonText(reason, format),
            QStringLiteral("%1: %2").arg(QLatin1String(library), words)};
}

} // namespace

QString PictureReasonText(TPictureReason reason, const QString& format) {
    switch (reason) {
    case TPictureReason::CannotOpen:
        return QCoreApplication::translate("PictureReasons", "ファイルを開けません。");
    case TPictureReason::CannotRead:
        return QCoreApplication::translate("PictureReasons", "ファイルを読めません。");
    case TPictureReason::NotFormat:
        return QCoreApplication::translate("PictureReasons", "%1 ファイルではありません。")
            .arg(format);
    case TPictureReason::Damaged:
        return QCoreApplication::translate("PictureReasons", "ファイルが壊れています。");
    case TPictureReason::Unsupported:
        return QCoreApplication::translate("PictureReasons", "%1 の扱えない機能が使われています。")
            .arg(format);
    case TPictureReason::NoMemory:
        return QCoreApplication::translate("PictureReasons", "%1 の展開にメモリが足りません。")
            .arg(format);
    case TPictureReason::TooLarge:
        return QCoreApplication::translate("PictureReasons", "画像が大きすぎます。");
    }
    return QString();
}

TPictureFault LibRawFault(int code, bool opening) {
    const QString words = QString::fromUtf8(libraw_strerror(code));
    const QString raw = QStringLiteral("RAW");
    if (code > 0) {
        return Fault(TPictureReason::CannotOpen, raw, "LibRaw", words); // an errno
    }
    switch (code) {
    case LIBRAW_FILE_UNSUPPORTED:
        return Fault(opening ? TPictureReason::NotFormat : TPictureReason::Unsupported, raw,
                     "LibRaw", words);
    case LIBRAW_IO_ERROR:
        // Opening, the data ended before LibRaw knew what the file was.
        return Fault(opening ? TPictureReason::NotFormat : TPictureReason::Damaged, raw, "LibRaw",
                     words);
    case LIBRAW_UNSUFFICIENT_MEMORY:
    case LIBRAW_MEMPOOL_OVERFLOW:
        return Fault(TPictureReason::NoMemory, raw, "LibRaw", words);
    case LIBRAW_TOO_BIG:
        return Fault(TPictureReason::TooLarge, raw, "LibRaw", words);
    case LIBRAW_NO_THUMBNAIL:
    case LIBRAW_UNSUPPORTED_THUMBNAIL:
    case LIBRAW_NOT_IMPLEMENTED:
        return Fault(TPictureReason::Unsupported, raw, "LibRaw", words);
    default:
        return Fault(TPictureReason::Damaged, raw, "LibRaw", words);
    }
}

TPictureFault LibheifFault(int code, int subcode, const char* message) {
    const QString words = QString::fromUtf8(message != nullptr ? message : "");
    const QString heif = QStringLiteral("HEIF");
    if (subcode == heif_suberror_No_ftyp_box || code == heif_error_Unsupported_filetype) {
        return Fault(TPictureReason::NotFormat, heif, "libheif", words);
    }
    if (subcode == heif_suberror_Security_limit_exceeded) {
        return Fault(TPictureReason::TooLarge, heif, "libheif", words);
    }
    switch (code) {
    case heif_error_Memory_allocation_error:
        return Fault(TPictureReason::NoMemory, heif, "libheif", words);
    case heif_error_Unsupported_feature:
        return Fault(TPictureReason::Unsupported, heif, "libheif", words);
    default:
        return Fault(TPictureReason::Damaged, heif, "libheif", words);
    }
}

TPictureFault LibjpegFault(int messageCode, const char* message) {
    const QString words = QString::fromLocal8Bit(message != nullptr ? message : "");
    const QString jpeg = QStringLiteral("JPEG");
    switch (messageCode) {
    case JERR_NO_SOI:
        return Fault(TPictureReason::NotFormat, jpeg, "libjpeg", words);
    case JERR_OUT_OF_MEMORY:
        return Fault(TPictureReason::NoMemory, jpeg, "libjpeg", words);
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
        return Fault(TPictureReason::TooLarge, jpeg, "libjpeg", words);
    case JERR_ARITH_NOTIMPL:
    case JERR_BAD_PRECISION:
    case JERR_NOT_COMPILED:
        return Fault(TPictureReason::Unsupported, jpeg, "libjpeg", words);
    default:
        return Fault(TPictureReason::Damaged, jpeg, "libjpeg", words);
    }
}

TPictureFault LibpngFault(const char* message) {
    const QString words = QString::fromUtf8(message != nullptr ? message : "");
    const QString png = QStringLiteral("PNG");
    if (words.startsWith(QLatin1String("Not a PNG file"))) {
        return Fault(TPictureReason::NotFormat, png, "libpng", words);
    }
    if (words.contains(QLatin1String("memory"), Qt::CaseInsensitive)) {
        return Fault(TPictureReason::NoMemory, png, "libpng", words);
    }
    return Fault(TPictureReason::Damaged, png, "libpng", words);
}

TPictureFault LibtiffFault(const QString& message, bool tiffSignature) {
    const QString tiff = QStringLiteral("TIFF");
    if (!tiffSignature) {
        return Fault(TPictureReason::NotFormat, tiff, "libtiff", message);
    }
    // What its RGBA reader cannot render ("Sorry, can not handle ...") and codecs left out.
    if (message.contains(QLatin1String("Sorry")) ||
        message.contains(QLatin1String("not configured"))) {
        return Fault(TPictureReason::Unsupported, tiff, "libtiff", message);
    }
    return Fault(TPictureReason::Damaged, tiff, "libtiff", message);
}

TPictureFault SystemFault(int errorNumber) {
    return Fault(errorNumber == EIO ? TPictureReason::CannotRead : TPictureReason::CannotOpen, {},
                 "system", SystemErrorText(errorNumber));
}

TPictureFault FileFault(const QFileDevice& file) {
    return Fault(file.error() == QFileDevice::OpenError ? TPictureReason::CannotOpen
                                                        : TPictureReason::CannotRead,
                 {}, "system", file.errorString());
}

} // namespace mirte
