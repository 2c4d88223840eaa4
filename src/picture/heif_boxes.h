#pragma once

#include <QIODevice>

namespace mirte {

// The turn of a HEIF file's primary picture, from its 'irot' property: how many quarter turns
// anticlockwise libheif applies when it decodes (0 to 3; 0 without one, or for a file whose
// boxes cannot be read). libheif 1.15 does not say it: its sizes are the coded ones.
int HeifQuarterTurns(QIODevice& in);

} // namespace mirte
