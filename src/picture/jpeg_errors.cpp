#include "jpeg_errors.h"

namespace mirte {

namespace {

void OnError(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && reinterpret_cast<JpegErrors*>(cinfo->err)->warningsFail) {
        OnError(cinfo);
    }
}

} // namespace

jpeg_error_mgr* InitJpegErrors(JpegErrors& errors, bool warningsFail) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = OnError;
    errors.pub.emit_message = OnMessage;
    errors.message[0] = '\0';
    errors.warningsFail = warningsFail;
    return &errors.pub;
}

} // namespace mirte
