#include "tiff_support.h"

#include "picture_reasons.h"

#include <QFile>
#include <cstdio>

namespace mirte {

TiffFile::~TiffFile() {
    if (m_tiff != nullptr) {
        TIFFClose(m_tiff);
    }
}

int TiffFile::OnError(TIFF*, void* self, const char* module, const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    static_cast<TiffFile*>(self)->m_error = QStringLiteral("%1: %2").arg(
        QString::fromUtf8(module ? module : "TIFF"), QString::fromUtf8(text));
    return 1; // handled: libtiff prints nothing
}

TPictureFault TiffFile::Fault() const {
    return LibtiffFault(m_error, true);
}

TiffHandle OpenTiff(const QString& path, TPictureFault& fault) {
    TiffHandle file(new TiffFile);
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t{256} * 1024 * 1024);
    TIFFOpenOptionsSetErrorHandlerExtR(options, &TiffFile::OnError, file.get());
    TIFFOpenOptionsSetWarningHandlerExtR(options, &TiffFile::OnWarning, file.get());
    file->m_tiff = TIFFOpenExt(QFile::encodeName(path).constData(), "r", options);
    TIFFOpenOptionsFree(options);
    if (file->m_tiff == nullptr) {
        // A file that does not start as TIFF does is not one, whatever libtiff says of it.
        QFile in(path);
        const QByteArray head = in.open(QIODevice::ReadOnly) ? in.read(4) : QByteArray();
        const bool tiff = head == QByteArrayView("II*\0", 4) ||
                          head == QByteArrayView("MM\0*", 4) ||
                          head == QByteArrayView("II+\0", 4) || head == QByteArrayView("MM\0+", 4);
        if (!in.isOpen()) {
            fault = FileFault(in);
        } else {
            fault = LibtiffFault(
                file->m_error.isEmpty() ? QStringLiteral("TIFFOpen failed") : file->m_error, tiff);
        }
        return nullptr;
    }
    return file;
}

} // namespace mirte
