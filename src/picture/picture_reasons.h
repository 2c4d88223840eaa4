#pragma once

#include "picture_error.h"

#include <QFileDevice>
#include <QString>

namespace mirte {

// The program's own reasons for a picture it cannot read, and the one place where a library's
// failure becomes one of them: the user sees the reason, the log and mirte-cli facts also the
// library's words (TPictureFault).

enum class TPictureReason {
    CannotOpen,  // ファイルを開けません。
    CannotRead,  // ファイルを読めません。
    NotFormat,   // <format> ファイルではありません。
    Damaged,     // ファイルが壊れています。
    Unsupported, // <format> の扱えない機能が使われています。
    NoMemory,    // <format> の展開にメモリが足りません。
    TooLarge,    // 画像が大きすぎます。
};

// The reason in the program's words; `format` ("RAW", "HEIF" ...) where they name one.
QString PictureReasonText(TPictureReason reason, const QString& format = {});

// LibRaw's result code; `opening`: of open_file or open_buffer, where a file LibRaw cannot
// recognise (or that ends before it can) is not a RAW file.
TPictureFault LibRawFault(int code, bool opening);
// libheif's error (heif_error's code, subcode and message).
TPictureFault LibheifFault(int code, int subcode, const char* message);
// libjpeg's message code and formatted message.
TPictureFault LibjpegFault(int messageCode, const char* message);
// libpng's message (it has no codes).
TPictureFault LibpngFault(const char* message);
// libtiff's message (it has no codes); `tiffSignature`: the file starts as TIFF does.
TPictureFault LibtiffFault(const QString& message, bool tiffSignature);
// The operating system's errno of a failed open or read.
TPictureFault SystemFault(int errorNumber);
// A file Qt could not open or read.
TPictureFault FileFault(const QFileDevice& file);

} // namespace mirte
