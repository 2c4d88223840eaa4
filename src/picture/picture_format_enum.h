#pragma once

namespace mirte {

// The formats the program decodes. Heif covers the whole family libheif reads (HEIC, HEIF,
// AVIF); Raw every camera RAW LibRaw reads.
enum class PictureFormat { Unknown, Jpeg, Png, Tiff, Bmp, Heif, WebP, Raw };

} // namespace mirte
