#pragma once

#include <QIODevice>
#include <QtGlobal>

namespace mirte {

// The byte-level reads the header readers share.

inline quint32 BigEndian(const unsigned char* p, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | p[i];
    }
    return value;
}

inline quint32 LittleEndian(const unsigned char* p, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | p[i];
    }
    return value;
}

// Whether `size` bytes could be read into `into`.
inline bool ReadExact(QIODevice& in, unsigned char* into, qint64 size) {
    return in.read(reinterpret_cast<char*>(into), size) == size;
}

} // namespace mirte
