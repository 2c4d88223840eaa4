#pragma once

#include "cache_file_name.h"
#include "th_entry.h"

namespace mirte {

// What a record takes from the collection that holds it (TThImageBase): the range of bitmap
// numbers and where the bitmap of a number lives. A record reaches its collection through this,
// so that the collection's header and the record's do not include each other.
class TThImageOwner : public TThEntryBase {
public:
    static constexpr int SaveCountMax = 1000000; // bitmap numbers run 0..999,999, then wrap

    TThCacheFileName CacheFileName;
};

} // namespace mirte
