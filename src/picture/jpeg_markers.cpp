#include "jpeg_markers.h"

namespace mirte {

namespace {

bool ReadByte(QIODevice& in, unsigned& byte) {
    char c = 0;
    if (in.read(&c, 1) != 1) {
        return false;
    }
    byte = static_cast<unsigned char>(c);
    return true;
}

} // namespace

bool TJpegMarkers::Start() {
    unsigned first = 0;
    unsigned second = 0;
    m_next = -1;
    return ReadByte(m_in, first) && ReadByte(m_in, second) && first == 0xFF && second == 0xD8;
}

bool TJpegMarkers::Next(unsigned& code, qint64& length) {
    if (m_next >= 0) {
        if ((!m_in.isSequential() && m_next > m_in.size()) || !m_in.seek(m_next)) {
            return false;
        }
        m_next = -1;
    }
    for (;;) {
        unsigned byte = 0;
        do { // stray bytes up to the next marker byte
            if (!ReadByte(m_in, byte)) {
                return false;
            }
        } while (byte != 0xFF);
        do { // fill bytes
            if (!ReadByte(m_in, byte)) {
                return false;
            }
        } while (byte == 0xFF);
        code = byte;
        if (code == 0x00) {
            continue; // a stuffed zero is data, not a marker
        }
        if (code == 0xD9 || code == 0xDA) {
            return false; // the image data (or its end) comes next
        }
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD8)) {
            continue; // markers without a length
        }
        unsigned high = 0;
        unsigned low = 0;
        if (!ReadByte(m_in, high) || !ReadByte(m_in, low)) {
            return false;
        }
        const qint64 total = (qint64{high} << 8) | low;
        if (total < 2) {
            return false;
        }
        length = total - 2;
        m_next = m_in.pos() + length;
        return true;
    }
}

} // namespace mirte
