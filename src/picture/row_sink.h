#pragma once

#include <cstdint>

namespace mirte {

// Receives a decoded picture row by row, so that no decoder needs the whole picture in memory.
class RowSink {
public:
    virtual ~RowSink() = default;
    // Once, before the rows: the size of the rows to come.
    virtual void Begin(int width, int height) = 0;
    // One row of width RGB triplets, from the top row down.
    virtual void Row(const std::uint8_t* rgb) = 0;
};

} // namespace mirte
