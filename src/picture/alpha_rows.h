#pragma once

#include <cstdint>

namespace mirte {

// Lays a row of RGBA pixels on white, as the thumbnails show transparent pictures. A
// premultiplied row has its colours multiplied by alpha already.
void FlattenOnWhite(const std::uint8_t* rgba, std::uint8_t* rgb, int width, bool premultiplied);

} // namespace mirte
