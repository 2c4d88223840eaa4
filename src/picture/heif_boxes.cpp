#include "heif_boxes.h"

#include <QByteArray>
#include <QtEndian>
#include <optional>

namespace mirte {

namespace {

// The 'meta' box holds only the items' descriptions, a few kilobytes even for a phone's tiles.
constexpr qint64 MaxMetaBytes = qint64{16} << 20;
// Top-level boxes looked at in search of 'meta' (it comes right after 'ftyp').
constexpr int MaxTopLevelBoxes = 64;

// A box inside a buffer: its type and its content's place.
struct Box {
    QByteArrayView type;
    QByteArrayView content;
};

// The boxes that fill `data` one after another; stops at the first that does not fit.
class BoxWalker {
public:
    explicit BoxWalker(QByteArrayView data) : m_data(data) {}
    std::optional<Box> Next() {
        if (m_at + 8 > m_data.size()) {
            return std::nullopt;
        }
        qint64 size = qFromBigEndian<quint32>(m_data.data() + m_at);
        qint64 header = 8;
        if (size == 1 && m_at + 16 <= m_data.size()) {
            size = qint64(qFromBigEndian<quint64>(m_data.data() + m_at + 8) & 0x7FFFFFFFFFFFFFFF);
            header = 16;
        } else if (size == 0) {
            size = m_data.size() - m_at; // to the end
        }
        if (size < header || size > m_data.size() - m_at) {
            return std::nullopt;
        }
        const Box box{m_data.sliced(m_at + 4, 4), m_data.sliced(m_at + header, size - header)};
        m_at += size;
        return box;
    }

private:
    QByteArrayView m_data;
    qint64 m_at = 0;
};

std::optional<Box> Child(QByteArrayView data, QByteArrayView type) {
    BoxWalker walker(data);
    while (const std::optional<Box> box = walker.Next()) {
        if (box->type == type) {
            return box;
        }
    }
    return std::nullopt;
}

// Reads big-endian numbers from a box's content, every read bounds-checked.
class Reader {
public:
    explicit Reader(QByteArrayView data) : m_data(data) {}
    bool Read(int size, quint32& value) {
        if (m_at + size > m_data.size()) {
            return false;
        }
        value = 0;
        for (int i = 0; i < size; ++i) {
            value = (value << 8) | quint8(m_data[m_at++]);
        }
        return true;
    }

private:
    QByteArrayView m_data;
    qint64 m_at = 0;
};

// The primary item ('pitm').
std::optional<quint32> PrimaryItem(QByteArrayView meta) {
    const std::optional<Box> pitm = Child(meta, "pitm");
    quint32 versionAndFlags = 0;
    quint32 item = 0;
    if (!pitm) {
        return std::nullopt;
    }
    Reader in(pitm->content);
    if (!in.Read(4, versionAndFlags) || !in.Read((versionAndFlags >> 24) == 0 ? 2 : 4, item)) {
        return std::nullopt;
    }
    return item;
}

// The 1-based indices into 'ipco' of the item's properties, from 'ipma'.
QList<quint32> PropertiesOf(QByteArrayView ipma, quint32 item) {
    Reader in(ipma);
    quint32 versionAndFlags = 0;
    quint32 entries = 0;
    if (!in.Read(4, versionAndFlags) || !in.Read(4, entries)) {
        return {};
    }
    const int idSize = (versionAndFlags >> 24) < 1 ? 2 : 4;
    const bool wideIndex = (versionAndFlags & 1) != 0;
    for (quint32 e = 0; e < entries; ++e) {
        quint32 id = 0;
        quint32 count = 0;
        if (!in.Read(idSize, id) || !in.Read(1, count)) {
            return {};
        }
        QList<quint32> indices;
        for (quint32 a = 0; a < count; ++a) {
            quint32 value = 0;
            if (!in.Read(wideIndex ? 2 : 1, value)) {
                return {};
            }
            indices.append(value & (wideIndex ? 0x7FFF : 0x7F)); // the top bit: "essential"
        }
        if (id == item) {
            return indices;
        }
    }
    return {};
}

int QuarterTurnsInMeta(QByteArrayView meta) {
    const std::optional<quint32> primary = PrimaryItem(meta);
    const std::optional<Box> iprp = Child(meta, "iprp");
    if (!primary || !iprp) {
        return 0;
    }
    const std::optional<Box> ipco = Child(iprp->content, "ipco");
    const std::optional<Box> ipma = Child(iprp->content, "ipma");
    if (!ipco || !ipma) {
        return 0;
    }
    QList<Box> properties;
    BoxWalker walker(ipco->content);
    while (const std::optional<Box> box = walker.Next()) {
        properties.append(*box);
    }
    for (const quint32 index : PropertiesOf(ipma->content, *primary)) {
        if (index >= 1 && index <= quint32(properties.size())) {
            const Box& property = properties[index - 1];
            if (property.type == QByteArrayView("irot") && !property.content.isEmpty()) {
                return quint8(property.content[0]) & 3;
            }
        }
    }
    return 0;
}

} // namespace

int HeifQuarterTurns(QIODevice& in) {
    qint64 at = 0;
    for (int boxes = 0; boxes < MaxTopLevelBoxes; ++boxes) {
        unsigned char head[16];
        if (at + 8 > in.size() || !in.seek(at) || in.read(reinterpret_cast<char*>(head), 8) != 8) {
            return 0;
        }
        qint64 size = qFromBigEndian<quint32>(head);
        qint64 header = 8;
        if (size == 1) {
            if (in.read(reinterpret_cast<char*>(head + 8), 8) != 8) {
                return 0;
            }
            size = qint64(qFromBigEndian<quint64>(head + 8) & 0x7FFFFFFFFFFFFFFF);
            header = 16;
        }
        if (size == 0) {
            size = in.size() - at; // to the end of the file
        }
        if (size < header || size > in.size() - at) {
            return 0; // broken, or cut short
        }
        if (QByteArrayView(head + 4, 4) == QByteArrayView("meta")) {
            const qint64 length = size - header;
            if (length < 4 || length > MaxMetaBytes) {
                return 0;
            }
            const QByteArray meta = in.read(length);
            return meta.size() == length ? QuarterTurnsInMeta(QByteArrayView(meta).sliced(4)) : 0;
        }
        at += size;
    }
    return 0;
}

} // namespace mirte
