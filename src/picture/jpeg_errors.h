#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

namespace mirte {

// libjpeg's default error handler ends the process; this one jumps back to `jump` with the
// message. Warnings (a file cut short, a damaged scan) either pass, as for pictures, which
// libjpeg still decodes, or jump back too, as for stored thumbnails, which are never trusted
// half-read.
struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool warningsFail = false;
};

// Sets the handlers up; returns the manager to put in the codec's `err`.
jpeg_error_mgr* InitJpegErrors(JpegErrors& errors, bool warningsFail);

} // namespace mirte
