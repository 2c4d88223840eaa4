#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

// Permissions do not bind root: tests of unreadable and read-only places run only for an
// ordinary user. CTest runs them again as "nobody" when the suite runs as root (tests named
// *WithoutRoot).
#define SKIP_AS_ROOT()                                                                             \
    do {                                                                                           \
        if (::geteuid() == 0) {                                                                    \
            GTEST_SKIP() << "permissions do not bind root; CTest runs this as nobody";             \
        }                                                                                          \
    } while (false)
