#pragma once

#include "picture_error.h"
#include "row_sink.h"

#include <QString>
#include <libheif/heif.h>
#include <memory>

namespace mirte {

// libheif's objects owned, and what every reader of HEIF files does with them alike.

struct ContextFree {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleRelease {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageRelease {
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};
using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<heif_image_handle, HandleRelease>;
using Image = std::unique_ptr<heif_image, ImageRelease>;

// A failure of libheif in the program's words, with libheif's.
TPictureFault HeifFault(const heif_error& error);
// A context with the program's limits: pictures no larger than the other decoders take, and
// grid tiles decoded on the caller's own thread (each render worker is one decoding thread).
Context NewContext();
// The primary picture's handle; null with the reason.
Handle PrimaryImage(heif_context* context, TPictureFault& fault);
// Decodes through libheif's own conversion to RGB (RGBA with alpha, laid on white; 10 and 12
// bits brought to 8), turned and mirrored by the image's own boxes unless told to ignore them.
// Raises EPictureError.
void DecodeHeifRgb(heif_image_handle* image, bool ignoreTransformations, RowSink& sink,
                   const QString& path);

} // namespace mirte
