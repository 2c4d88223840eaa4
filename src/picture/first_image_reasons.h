#pragma once

#include "first_image_types.h"

#include <QString>

namespace mirte {

// The refusal in the program's words, for mirte-cli and the log.
QString FirstImageReason(TFirstImageRefusal refusal);

} // namespace mirte
