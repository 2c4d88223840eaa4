#include "exif_reader.h"

#include "jpeg_markers.h"
#include "tiff_block_reader.h"

#include <QFile>
#include <set>

namespace mirte {

bool FindExifBlock(QIODevice& jpeg, QByteArray& block) {
    block.clear();
    TJpegMarkers markers(jpeg);
    if (!markers.Start()) {
        return false;
    }
    unsigned code = 0;
    qint64 length = 0;
    while (markers.Next(code, length)) {
        if (code != 0xE1 || length < 6) {
            continue;
        }
        // Every APP1 up to the image data: the first that is EXIF (XMP may come first).
        const QByteArray head = jpeg.read(6);
        if (head.size() == 6 && head.startsWith(QByteArrayView("Exif\0", 5))) {
            block = jpeg.read(length - 6);
            return true;
        }
    }
    return false;
}

namespace {

constexpr int MaxDirectories = 200;
constexpr int MaxDateLength = 20;

int TypeSize(quint32 type) {
    switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
        return 1;
    case 3:
    case 8:
        return 2;
    case 4:
    case 9:
    case 11:
        return 4;
    case 5:
    case 10:
    case 12:
        return 8;
    default:
        return 0;
    }
}

// Reads what it can: a directory cut short gives the entries that are whole, a sub-directory
// that is empty, cut short or points outside the block is passed over, and so is a date whose
// text lies outside. A loop, or a chain too long, ends the reading there.
class ExifParser {
public:
    explicit ExifParser(QByteArrayView block) : m_in(block) {}

    // False when not even the first directory's entry count could be read.
    bool ParseChain(qint64 offset, TExifRecord& record) {
        bool any = false;
        while (offset != 0) {
            if (++m_directories > MaxDirectories || !m_open.insert(offset).second) {
                break; // too long a chain, or a loop
            }
            qint64 next = 0;
            const bool read = ParseDirectory(offset, record, next);
            m_open.erase(offset);
            any = any || read;
            if (!read) {
                break;
            }
            offset = next;
        }
        return any;
    }

private:
    bool ParseDirectory(qint64 at, TExifRecord& record, qint64& next) {
        next = 0;
        quint32 count = 0;
        if (!m_in.U16(at, count)) {
            return false;
        }
        for (quint32 i = 0; i < count; ++i) {
            const qint64 entry = at + 2 + qint64{i} * 12;
            if (!m_in.Contains(entry, 12)) {
                return true; // cut short: the whole entries count, nothing follows
            }
            ParseEntry(entry, record);
        }
        quint32 nextOffset = 0;
        if (m_in.U32(at + 2 + qint64{count} * 12, nextOffset)) {
            next = nextOffset;
        }
        return true;
    }

    void ParseEntry(qint64 at, TExifRecord& record) {
        quint32 tag = 0, type = 0, count = 0, value = 0;
        m_in.U16(at, tag);
        m_in.U16(at + 2, type);
        m_in.U32(at + 4, count);
        m_in.U32(at + 8, value);
        switch (tag) {
        case 0x0132:
            ReadText(at, type, count, value, record.DateTime);
            break;
        case 0x9003:
            ReadText(at, type, count, value, record.DateTimeOriginal);
            break;
        case 0x9004:
            ReadText(at, type, count, value, record.DateTimeDigitized);
            break;
        case 0x0112: {
            quint32 orientation = 0;
            if (type == 3 && count >= 1 && m_in.U16(at + 8, orientation) && orientation >= 1 &&
                orientation <= 8) {
                record.Orientation = static_cast<int>(orientation);
            }
            break;
        }
        case 0x8769: // the Exif directory, where the shooting date lives
            ParseChain(value, record);
            break;
        default:
            break;
        }
    }

    void ReadText(qint64 at, quint32 type, quint32 count, quint32 offset, QString& text) {
        const int size = TypeSize(type);
        const qint64 length = qint64{count} * (size == 0 ? 1 : size);
        const qint64 where = (size != 0 && length <= 4) ? at + 8 : qint64{offset};
        if (!m_in.Contains(where, length)) {
            return; // outside the block: this date is not there
        }
        QByteArrayView bytes = m_in.Bytes(where, qMin<qint64>(length, MaxDateLength));
        if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
            bytes = bytes.first(nul);
        }
        text = QString::fromLatin1(bytes);
    }

    TTiffBlockReader m_in;
    int m_directories = 0;
    std::set<qint64> m_open;
};

} // namespace

bool ParseExifBlock(QByteArrayView block, TExifRecord& record) {
    record = {};
    if (block.size() < 8) {
        return false;
    }
    ExifParser parser(block);
    TExifRecord parsed;
    if (!parser.ParseChain(8, parsed)) { // the first directory follows the 8-byte header
        return false;
    }
    record = parsed;
    return true;
}

bool TExifInfo::HasExif(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QByteArray block;
    if (!FindExifBlock(file, block)) {
        return false;
    }
    m_imageFileName = path;
    m_block = block;
    return true;
}

TExifRecord TExifInfo::ReadExif() const {
    TExifRecord record;
    if (!m_imageFileName.isEmpty()) {
        ParseExifBlock(m_block, record);
    }
    return record;
}

QString ExifDateToText(const QString& exifDate) {
    QString text = exifDate.left(19);
    if (text.size() >= 8) {
        text[4] = QLatin1Char('/');
        text[7] = QLatin1Char('/');
    }
    return text;
}

} // namespace mirte
