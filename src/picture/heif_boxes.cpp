#include "heif_boxes.h"

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <optional>
#include <utility>

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

// The 1-based indices into 'ipco' of each item's properties, from 'ipma', in their order.
std::map<quint32, QList<quint32>> PropertiesOfItems(QByteArrayView ipma) {
    std::map<quint32, QList<quint32>> items;
    Reader in(ipma);
    quint32 versionAndFlags = 0;
    quint32 entries = 0;
    if (!in.Read(4, versionAndFlags) || !in.Read(4, entries)) {
        return items;
    }
    const int idSize = (versionAndFlags >> 24) < 1 ? 2 : 4;
    const bool wideIndex = (versionAndFlags & 1) != 0;
    for (quint32 e = 0; e < entries; ++e) {
        quint32 id = 0;
        quint32 count = 0;
        if (!in.Read(idSize, id) || !in.Read(1, count)) {
            return items;
        }
        QList<quint32> indices;
        for (quint32 a = 0; a < count; ++a) {
            quint32 value = 0;
            if (!in.Read(wideIndex ? 2 : 1, value)) {
                return items;
            }
            indices.append(value & (wideIndex ? 0x7FFF : 0x7F)); // the top bit: "essential"
        }
        items.emplace(id, indices);
    }
    return items;
}

// A 'clap' box's eight numbers; the offsets' numerators are signed, as libheif reads them.
std::optional<HeifCleanAperture> CleanAperture(QByteArrayView content) {
    Reader in(content);
    quint32 values[8] = {};
    for (quint32& value : values) {
        if (!in.Read(4, value)) {
            return std::nullopt;
        }
    }
    if (values[1] == 0 || values[3] == 0 || values[5] == 0 || values[7] == 0) {
        return std::nullopt; // libheif refuses the file
    }
    HeifCleanAperture aperture;
    aperture.width[0] = values[0];
    aperture.width[1] = values[1];
    aperture.height[0] = values[2];
    aperture.height[1] = values[3];
    aperture.horizontalOffset[0] = qint32(values[4]);
    aperture.horizontalOffset[1] = values[5];
    aperture.verticalOffset[0] = qint32(values[6]);
    aperture.verticalOffset[1] = values[7];
    return aperture;
}

HeifBoxes BoxesInMeta(QByteArrayView meta) {
    HeifBoxes boxes;
    const std::optional<quint32> primary = PrimaryItem(meta);
    const std::optional<Box> iprp = Child(meta, "iprp");
    if (!primary || !iprp) {
        return boxes;
    }
    boxes.primary = *primary;
    const std::optional<Box> ipco = Child(iprp->content, "ipco");
    const std::optional<Box> ipma = Child(iprp->content, "ipma");
    if (!ipco || !ipma) {
        return boxes;
    }
    QList<Box> properties;
    BoxWalker walker(ipco->content);
    while (const std::optional<Box> box = walker.Next()) {
        properties.append(*box);
    }
    for (const auto& [item, indices] : PropertiesOfItems(ipma->content)) {
        HeifShape shape;
        for (const quint32 index : indices) {
            if (index < 1 || index > quint32(properties.size())) {
                continue;
            }
            const Box& property = properties[index - 1];
            if (property.type == QByteArrayView("irot") && !property.content.isEmpty()) {
                shape.AddTurn(quint8(property.content[0]) & 3);
            } else if (property.type == QByteArrayView("clap")) {
                if (const std::optional<HeifCleanAperture> aperture =
                        CleanAperture(property.content)) {
                    shape.AddCrop(*aperture);
                }
            }
        }
        boxes.shapes.emplace(item, std::move(shape));
    }
    return boxes;
}

// Exact arithmetic on the fractions: their numerators and denominators are 32-bit numbers.
using Wide = __int128;

// The first and last pixel (unclamped) a crop of `extent` centred `offset` from the middle keeps
// of a side of `size` pixels, as libheif's decoder rounds them: the start is
// offset + (size - 1) / 2 - (extent - 1) / 2, rounded toward zero across and half up (then toward
// zero) down; the end is extent - 1 + start, rounded half up.
std::pair<Wide, Wide> Span(qint64 size, const qint64 (&extent)[2], const qint64 (&offset)[2],
                           bool across) {
    const Wide denominator = Wide{2} * offset[1] * extent[1];
    const Wide numerator = Wide{2} * offset[0] * extent[1] +
                           Wide{size - 1} * offset[1] * extent[1] -
                           Wide{extent[0] - extent[1]} * offset[1];
    const Wide start =
        across ? numerator / denominator : (numerator + denominator / 2) / denominator;
    const Wide end = (Wide{extent[0] - extent[1]} + start * extent[1] + extent[1] / 2) / extent[1];
    return {start, end};
}

// The part of a picture of `size` that the crop keeps; empty when nothing is left.
QRect Crop(QSize size, const HeifCleanAperture& aperture) {
    const auto [left, right] = Span(size.width(), aperture.width, aperture.horizontalOffset, true);
    const auto [top, bottom] = Span(size.height(), aperture.height, aperture.verticalOffset, false);
    const Wide first = qMax<Wide>(left, 0);
    const Wide last = qMin<Wide>(right, size.width() - 1);
    const Wide firstRow = qMax<Wide>(top, 0);
    const Wide lastRow = qMin<Wide>(bottom, size.height() - 1);
    if (first > last || firstRow > lastRow) {
        return {};
    }
    return QRect(int(first), int(firstRow), int(last - first + 1), int(lastRow - firstRow + 1));
}

} // namespace

void HeifShape::AddTurn(int quarterTurns) {
    m_steps.push_back({quarterTurns & 3, false, {}});
}

void HeifShape::AddCrop(const HeifCleanAperture& aperture) {
    m_steps.push_back({0, true, aperture});
}

int HeifShape::QuarterTurns() const {
    int turns = 0;
    for (const Step& step : m_steps) {
        turns += step.quarterTurns;
    }
    return turns & 3;
}

bool HeifShape::Crops() const {
    return std::any_of(m_steps.begin(), m_steps.end(), [](const Step& step) { return step.crop; });
}

QSize HeifShape::Shown(QSize coded) const {
    QSize size = coded;
    for (const Step& step : m_steps) {
        if (step.crop) {
            size = Crop(size, step.aperture).size();
            if (size.isEmpty()) {
                return {};
            }
        } else if (step.quarterTurns % 2 != 0) {
            size.transpose();
        }
    }
    return size;
}

QRect HeifShape::CodedPart(QSize coded) const {
    QRect part(QPoint(0, 0), coded);
    for (const Step& step : m_steps) {
        if (step.crop) {
            const QRect kept = Crop(part.size(), step.aperture);
            if (kept.isEmpty()) {
                return {};
            }
            part = kept.translated(part.topLeft());
        }
    }
    return part;
}

HeifShape HeifBoxes::ShapeOf(quint32 item) const {
    const auto found = shapes.find(item);
    return found != shapes.end() ? found->second : HeifShape();
}

HeifBoxes ReadHeifBoxes(QIODevice& in) {
    qint64 at = 0;
    for (int boxes = 0; boxes < MaxTopLevelBoxes; ++boxes) {
        unsigned char head[16];
        if (at + 8 > in.size() || !in.seek(at) || in.read(reinterpret_cast<char*>(head), 8) != 8) {
            return {};
        }
        qint64 size = qFromBigEndian<quint32>(head);
        qint64 header = 8;
        if (size == 1) {
            if (in.read(reinterpret_cast<char*>(head + 8), 8) != 8) {
                return {};
            }
            size = qint64(qFromBigEndian<quint64>(head + 8) & 0x7FFFFFFFFFFFFFFF);
            header = 16;
        }
        if (size == 0) {
            size = in.size() - at; // to the end of the file
        }
        if (size < header || size > in.size() - at) {
            return {}; // broken, or cut short
        }
        if (QByteArrayView(head + 4, 4) == QByteArrayView("meta")) {
            const qint64 length = size - header;
            if (length < 4 || length > MaxMetaBytes) {
                return {};
            }
            const QByteArray meta = in.read(length);
            return meta.size() == length ? BoxesInMeta(QByteArrayView(meta).sliced(4))
                                         : HeifBoxes{};
        }
        at += size;
    }
    return {};
}

} // namespace mirte
