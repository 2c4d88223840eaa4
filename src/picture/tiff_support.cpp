#include "tiff_support.h"

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

TiffHandle OpenTiff(const QString& path, QString& error) {
    TiffHandle file(new TiffFile);
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t{256} * 1024 * 1024);
    TIFFOpenOptionsSetErrorHandlerExtR(options, &TiffFile::OnError, file.get());
    TIFFOpenOptionsSetWarningHandlerExtR(options, &TiffFile::OnWarning, file.get());
    file->m_tiff = TIFFOpenExt(QFile::encodeName(path).constData(), "r", options);
    TIFFOpenOptionsFree(options);
    if (file->m_tiff == nullptr) {
        error = file->m_error.isEmpty() ? QStringLiteral("TIFF を開けません。") : file->m_error;
        return nullptr;
    }
    return file;
}

} // namespace mirte
