#pragma once

#include "picture_error.h"

#include <QString>
#include <memory>
#include <tiffio.h>

namespace mirte {

// An open TIFF file whose errors are collected here instead of being printed by libtiff.
class TiffFile {
public:
    ~TiffFile();
    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;

    TIFF* Tiff() const { return m_tiff; }
    // libtiff's last error text.
    const QString& LastError() const { return m_error; }
    // That text as the program's reason, with libtiff's words.
    TPictureFault Fault() const;

private:
    friend std::unique_ptr<TiffFile> OpenTiff(const QString& path, TPictureFault& fault);
    TiffFile() = default;
    static int OnError(TIFF*, void* self, const char* module, const char* format, va_list args);
    static int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

    TIFF* m_tiff = nullptr;
    QString m_error;
};

using TiffHandle = std::unique_ptr<TiffFile>;

// Opens a TIFF for reading; null with the reason on failure. No single allocation of libtiff may
// exceed 256 MB, so a hostile header cannot make it reserve memory without bound.
TiffHandle OpenTiff(const QString& path, TPictureFault& fault);

} // namespace mirte
