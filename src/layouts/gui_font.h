#pragma once

#include "report/lr_types.h"

namespace mirte {

// The desktop's GUI font as the layouts were drawn with it (a Japanese desktop's
// "ＭＳ Ｐゴシック", 9 points). Fixed rather than read from this desktop, so that the window
// and the command line print the same pages.
inline TLRFont GuiFont() {
    return TLRFont{};
}

} // namespace mirte
