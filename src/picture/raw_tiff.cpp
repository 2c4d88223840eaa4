#include "raw_tiff.h"

#include "jpeg_markers.h"

#include <QBuffer>
#include <algorithm>
#include <iterator>
#include <set>

namespace mirte {

namespace {

// TIFF's 42; Panasonic's RW2 (and the older RAW) 0x55; Olympus' ORF "RO" and "RS" (in the
// file's byte order, as "IIRO", "IIRS", "MMOR").
constexpr quint32 Magics[] = {42, 0x55, 0x4F52, 0x5352};
constexpr int MaxDirectories = 200;
constexpr quint32 MaxEntries = 4096;
constexpr int MaxDateLength = 20;
// Previews larger than this are not taken (a camera's largest is a few megabytes).
constexpr qint64 MaxJpegBytes = qint64{64} << 20;

enum Tag : quint32 {
    Compression = 0x0103,
    Photometric = 0x0106,
    StripOffsets = 0x0111,
    Orientation = 0x0112,
    StripByteCounts = 0x0117,
    DateTime = 0x0132,
    SubIfds = 0x014A,
    JpegOffset = 0x0201,
    JpegLength = 0x0202,
    PanasonicJpeg = 0x002E, // RW2's JpgFromRaw: a whole JPEG with its own EXIF block
    ExifIfd = 0x8769,
    DateTimeOriginal = 0x9003,
    DateTimeDigitized = 0x9004,
};

// Colour filter array and linear raw data: the sensor's, never a preview.
bool IsRawData(quint32 photometric) {
    return photometric == 32803 || photometric == 34892;
}

// Reads numbers in the file's byte order; every read is checked.
class Reader {
public:
    Reader(QIODevice& in, bool bigEndian) : m_in(in), m_bigEndian(bigEndian) {}

    bool Number(qint64 at, int size, quint32& value) {
        const QByteArray bytes = Bytes(at, size);
        if (bytes.size() != size) {
            return false;
        }
        value = 0;
        for (int i = 0; i < size; ++i) {
            value = (value << 8) | quint8(bytes[m_bigEndian ? i : size - 1 - i]);
        }
        return true;
    }
    QByteArray Bytes(qint64 at, qint64 length) {
        if (at < 0 || length < 0 || at > m_in.size() || length > m_in.size() - at ||
            !m_in.seek(at)) {
            return {};
        }
        return m_in.read(length);
    }
    qint64 Size() const { return m_in.size(); }

private:
    QIODevice& m_in;
    bool m_bigEndian;
};

// One directory entry: its value's place (in the entry when it fits there).
struct Entry {
    quint32 tag = 0;
    quint32 type = 0;
    quint32 count = 0;
    qint64 at = 0; // where the value lies
};

int TypeSize(quint32 type) {
    static constexpr int sizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    return type < std::size(sizes) ? sizes[type] : 0;
}

// A JPEG's frame size; empty when it has no frame header or is lossless (raw data).
QSize FrameSize(const QByteArray& head) {
    QByteArray bytes = head;
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TJpegMarkers markers(in);
    unsigned code = 0;
    qint64 length = 0;
    if (!markers.Start()) {
        return {};
    }
    while (markers.Next(code, length)) {
        if (code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC) {
            const QByteArray frame = in.read(5);
            const bool lossless = (code & 3) == 3;
            if (frame.size() < 5 || lossless) {
                return {};
            }
            return QSize((quint8(frame[3]) << 8) | quint8(frame[4]),
                         (quint8(frame[1]) << 8) | quint8(frame[2]));
        }
    }
    return {};
}

class Walker {
public:
    Walker(QIODevice& in, bool bigEndian) : m_in(in, bigEndian) {}

    // The JPEG embedded whole (RW2's), whose EXIF block holds the dates the directories lack.
    const TRawJpeg& Embedded() const { return m_embedded; }

    void Chain(qint64 offset, bool first, TRawTiff& out) {
        while (offset != 0 && Open(offset)) {
            offset = Directory(offset, first, out);
            first = false;
        }
    }

private:
    bool Open(qint64 offset) {
        return ++m_directories <= MaxDirectories && m_seen.insert(offset).second;
    }

    // Reads one directory; where the next one of its chain lies (0: none).
    qint64 Directory(qint64 at, bool first, TRawTiff& out) {
        quint32 count = 0;
        if (!m_in.Number(at, 2, count) || count > MaxEntries) {
            return 0;
        }
        const QByteArray table = m_in.Bytes(at + 2, qint64{count} * 12);
        std::vector<Entry> entries;
        for (quint32 i = 0; i < count && (qint64{i} + 1) * 12 <= table.size(); ++i) {
            Entry entry;
            const qint64 place = at + 2 + qint64{i} * 12;
            m_in.Number(place, 2, entry.tag);
            m_in.Number(place + 2, 2, entry.type);
            m_in.Number(place + 4, 4, entry.count);
            const qint64 length = qint64{entry.count} * TypeSize(entry.type);
            quint32 offset = 0;
            m_in.Number(place + 8, 4, offset);
            entry.at = length <= 4 ? place + 8 : qint64{offset};
            entries.push_back(entry);
        }
        Take(entries, first, out);
        quint32 next = 0;
        m_in.Number(at + 2 + qint64{count} * 12, 4, next);
        return next;
    }

    quint32 Value(const Entry& entry) {
        quint32 value = 0;
        const int size = entry.type == 3 ? 2 : 4;
        if (entry.count >= 1 && (entry.type == 3 || entry.type == 4 || entry.type == 13)) {
            m_in.Number(entry.at, size, value);
        }
        return value;
    }

    void Text(const Entry& entry, QString& into) {
        if (!into.isEmpty() || entry.type != 2 || entry.count == 0) {
            return;
        }
        QByteArray text = m_in.Bytes(entry.at, qMin<qint64>(entry.count, MaxDateLength));
        if (const qsizetype nul = text.indexOf('\0'); nul >= 0) {
            text.truncate(nul);
        }
        into = QString::fromLatin1(text);
    }

    void Jpeg(qint64 offset, qint64 length, TRawTiff& out) {
        if (offset <= 0 || length <= 0 || length > MaxJpegBytes) {
            return;
        }
        for (const TRawJpeg& known : out.jpegs) {
            if (known.offset == offset) {
                return;
            }
        }
        // The frame header comes after the segments before it, EXIF's at most 64 kB.
        const QSize size = FrameSize(m_in.Bytes(offset, qMin<qint64>(length, 1 << 17)));
        if (!size.isEmpty()) {
            out.jpegs.push_back({offset, length, size});
        }
    }

    void Take(const std::vector<Entry>& entries, bool first, TRawTiff& out) {
        quint32 compression = 0;
        quint32 photometric = 0;
        quint32 strip = 0;
        quint32 stripLength = 0;
        quint32 jpeg = 0;
        quint32 jpegLength = 0;
        for (const Entry& entry : entries) {
            switch (entry.tag) {
            case Compression:
                compression = Value(entry);
                break;
            case Photometric:
                photometric = Value(entry);
                break;
            case StripOffsets:
                strip = entry.count == 1 ? Value(entry) : 0;
                break;
            case StripByteCounts:
                stripLength = entry.count == 1 ? Value(entry) : 0;
                break;
            case JpegOffset:
                jpeg = Value(entry);
                break;
            case JpegLength:
                jpegLength = Value(entry);
                break;
            case Orientation:
                if (first && Value(entry) >= 1 && Value(entry) <= 8) {
                    out.exif.Orientation = int(Value(entry));
                }
                break;
            case DateTime:
                if (first) {
                    Text(entry, out.exif.DateTime);
                }
                break;
            case DateTimeOriginal:
                Text(entry, out.exif.DateTimeOriginal);
                break;
            case DateTimeDigitized:
                Text(entry, out.exif.DateTimeDigitized);
                break;
            case PanasonicJpeg:
                if (entry.type == 7) {
                    Jpeg(entry.at, entry.count, out);
                    m_embedded = {entry.at, entry.count, {}};
                }
                break;
            default:
                break;
            }
        }
        if (!IsRawData(photometric) && (compression == 6 || compression == 7)) {
            Jpeg(strip, stripLength, out);
        }
        if (!IsRawData(photometric)) {
            Jpeg(jpeg, jpegLength, out);
        }
        for (const Entry& entry : entries) {
            if (entry.tag == ExifIfd) {
                Chain(Value(entry), false, out);
            } else if (entry.tag == SubIfds) {
                const int size = entry.type == 3 ? 2 : 4;
                for (quint32 i = 0; i < entry.count && i < MaxDirectories; ++i) {
                    quint32 offset = 0;
                    if (m_in.Number(entry.at + qint64{i} * size, size, offset)) {
                        Chain(offset, false, out);
                    }
                }
            }
        }
    }

    Reader m_in;
    TRawJpeg m_embedded;
    int m_directories = 0;
    std::set<qint64> m_seen;
};

} // namespace

const TRawJpeg* TRawTiff::Largest() const {
    const TRawJpeg* largest = nullptr;
    for (const TRawJpeg& jpeg : jpegs) {
        if (largest == nullptr || qint64{jpeg.size.width()} * jpeg.size.height() >
                                      qint64{largest->size.width()} * largest->size.height()) {
            largest = &jpeg;
        }
    }
    return largest;
}

TRawTiff ReadRawTiff(QIODevice& in) {
    TRawTiff out;
    if (!in.seek(0)) {
        return out;
    }
    const QByteArray head = in.read(8);
    if (head.size() < 8 || (!head.startsWith("II") && !head.startsWith("MM"))) {
        return out;
    }
    const bool bigEndian = head.startsWith("MM");
    auto number = [&](int at, int size) {
        quint32 value = 0;
        for (int i = 0; i < size; ++i) {
            value = (value << 8) | quint8(head[at + (bigEndian ? i : size - 1 - i)]);
        }
        return value;
    };
    if (std::find(std::begin(Magics), std::end(Magics), number(2, 2)) == std::end(Magics)) {
        return out;
    }
    out.tiff = true;
    Walker walker(in, bigEndian);
    walker.Chain(number(4, 4), true, out);
    const TExifRecord own = out.exif;
    if (walker.Embedded().length > 0 &&
        (own.DateTime.isEmpty() || own.DateTimeOriginal.isEmpty())) {
        QByteArray jpeg = ReadRawJpeg(in, walker.Embedded());
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::ReadOnly);
        QByteArray block;
        TExifRecord embedded;
        if (FindExifBlock(buffer, block) && ParseExifBlock(block, embedded)) {
            out.exif.DateTime = own.DateTime.isEmpty() ? embedded.DateTime : own.DateTime;
            out.exif.DateTimeOriginal =
                own.DateTimeOriginal.isEmpty() ? embedded.DateTimeOriginal : own.DateTimeOriginal;
            out.exif.DateTimeDigitized = own.DateTimeDigitized.isEmpty()
                                             ? embedded.DateTimeDigitized
                                             : own.DateTimeDigitized;
        }
    }
    return out;
}

QByteArray ReadRawJpeg(QIODevice& in, const TRawJpeg& jpeg) {
    if (jpeg.offset < 0 || jpeg.length <= 0 || jpeg.length > MaxJpegBytes ||
        jpeg.offset > in.size() || jpeg.length > in.size() - jpeg.offset || !in.seek(jpeg.offset)) {
        return {};
    }
    return in.read(jpeg.length);
}

} // namespace mirte
