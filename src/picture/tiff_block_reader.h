#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace mirte {

// Reads the numbers of a TIFF-structured block (EXIF, MPF) in its byte order, "MM" or "II" at
// its start; every read is bounds-checked, so no offset in the block can lead outside it.
class TTiffBlockReader {
public:
    explicit TTiffBlockReader(QByteArrayView block)
        : m_data(block), m_bigEndian(block.size() >= 2 && block[0] == 'M' && block[1] == 'M') {}

    bool U16(qint64 at, quint32& value) const { return Read(at, 2, value); }
    bool U32(qint64 at, quint32& value) const { return Read(at, 4, value); }
    bool Contains(qint64 at, qint64 length) const {
        return at >= 0 && length >= 0 && at <= m_data.size() && length <= m_data.size() - at;
    }
    QByteArrayView Bytes(qint64 at, qint64 length) const { return m_data.sliced(at, length); }
    qint64 Size() const { return m_data.size(); }

private:
    bool Read(qint64 at, int size, quint32& value) const {
        if (!Contains(at, size)) {
            return false;
        }
        value = 0;
        for (int i = 0; i < size; ++i) {
            const quint32 byte =
                static_cast<unsigned char>(m_data[at + (m_bigEndian ? i : size - 1 - i)]);
            value = (value << 8) | byte;
        }
        return true;
    }

    QByteArrayView m_data;
    bool m_bigEndian;
};

} // namespace mirte
