#include "format_samples.h"

#include "support/temp_folder.h"

#include <QProcess>
#include <cmath>
#include <cstring>
#include <libheif/heif.h>
#include <memory>
#include <stdexcept>
#include <tiffio.h>
#include <vector>

namespace mirte::test {

namespace {

// Runs one of Debian's tools in `dir`; its output file's bytes.
QByteArray RunTool(const TempFolder& dir, const QString& program, const QStringList& arguments,
                   const QString& output) {
    QProcess tool;
    tool.setWorkingDirectory(dir.Path());
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        throw std::runtime_error((program + " failed: " + tool.readAll()).toStdString());
    }
    return dir.Read(output);
}

QString WriteSource(const TempFolder& dir, const QImage& image, const ExifFields& exif,
                    const QString& name) {
    if (!exif.dateTime.isEmpty()) {
        return dir.Write(name + ".jpg", MakeExifJpeg(image, exif));
    }
    return dir.Write(name + ".png", EncodeWithQt(image, "png"));
}

void Check(const heif_error& error) {
    if (error.code != heif_error_Ok) {
        throw std::runtime_error(error.message);
    }
}

using HeifImage = std::unique_ptr<heif_image, void (*)(const heif_image*)>;

// The picture as a libheif image (8-bit RGB).
heif_image* ToHeifImage(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif_image* image = nullptr;
    Check(heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB,
                            heif_chroma_interleaved_RGB, &image));
    Check(heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8));
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(plane + std::size_t(stride) * y, rgb.constScanLine(y),
                    std::size_t(rgb.width()) * 3);
    }
    return image;
}

heif_error WriteToBytes(heif_context*, const void* data, std::size_t size, void* userdata) {
    static_cast<QByteArray*>(userdata)->append(static_cast<const char*>(data), qsizetype(size));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

// Writes bits most significant first, a zero byte after every 0xFF as JPEG wants.
class BitWriter {
public:
    void Put(std::uint32_t bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            m_byte = std::uint8_t((m_byte << 1) | ((bits >> i) & 1));
            if (++m_filled == 8) {
                Flush();
            }
        }
    }
    QByteArray Finish() {
        while (m_filled != 0) {
            Put(1, 1); // padded with ones
        }
        return m_bytes;
    }

private:
    void Flush() {
        m_bytes += char(m_byte);
        if (m_byte == 0xFF) {
            m_bytes += char(0);
        }
        m_byte = 0;
        m_filled = 0;
    }
    QByteArray m_bytes;
    std::uint8_t m_byte = 0;
    int m_filled = 0;
};

void PutMarker(QByteArray& out, std::uint8_t marker, const QByteArray& payload) {
    const int length = int(payload.size()) + 2;
    out += char(0xFF);
    out += char(marker);
    out += char(length >> 8);
    out += char(length & 0xFF);
    out += payload;
}

// 16-bit samples of a colour filter array as a lossless JPEG stream (SOF3), as cameras write
// them: two components a line (the filter's two colours), predicted from the sample to the
// left (from the one above at a line's start), every difference class coded in five bits.
QByteArray LosslessJpeg(const std::vector<std::uint16_t>& samples, int width, int height) {
    QByteArray out("\xFF\xD8", 2);
    QByteArray table(1, char(0x00)); // DC table 0
    for (int length = 1; length <= 16; ++length) {
        table += char(length == 5 ? 17 : 0);
    }
    for (int category = 0; category <= 16; ++category) {
        table += char(category);
    }
    PutMarker(out, 0xC4, table);
    const QByteArray frame = QByteArray(1, char(16)) + char(height >> 8) + char(height & 0xFF) +
                             char((width / 2) >> 8) + char((width / 2) & 0xFF) + char(2) +
                             QByteArray("\x01\x11\x00\x02\x11\x00", 6);
    PutMarker(out, 0xC3, frame);
    PutMarker(out, 0xDA, QByteArray("\x02\x01\x00\x02\x00\x01\x00\x00", 8));
    BitWriter bits;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = std::size_t(y) * width + x;
            const int predicted = x >= 2 ? samples[at - 2] : y > 0 ? samples[at - width] : 32768;
            const int difference = ((samples[at] - predicted + 32768) & 0xFFFF) - 32768;
            int category = 0;
            while (category < 16 && (std::abs(difference) >> category) != 0) {
                ++category;
            }
            bits.Put(std::uint32_t(category), 5);
            if (category > 0 && category < 16) {
                const int value = difference > 0 ? difference : difference - 1;
                bits.Put(std::uint32_t(value) & ((1u << category) - 1), category);
            }
        }
    }
    out += bits.Finish();
    out += QByteArray("\xFF\xD9", 2);
    return out;
}

// Big-endian numbers and boxes of an ISO base media file.
quint64 Number(const QByteArray& bytes, qsizetype at, int size) {
    quint64 value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | quint8(bytes[at + i]);
    }
    return value;
}
void PutNumber(QByteArray& bytes, qsizetype at, int size, quint64 value) {
    for (int i = size - 1; i >= 0; --i, value >>= 8) {
        bytes[at + i] = char(value & 0xFF);
    }
}
QByteArray NumberBytes(int size, quint64 value) {
    QByteArray bytes(size, '\0');
    PutNumber(bytes, 0, size, value);
    return bytes;
}
struct IsoBox {
    QByteArray type;
    QByteArray content;
};
QList<IsoBox> Boxes(const QByteArray& data) {
    QList<IsoBox> boxes;
    for (qsizetype at = 0; at + 8 <= data.size();) {
        const auto size = qsizetype(Number(data, at, 4));
        boxes.append({data.mid(at + 4, 4), data.mid(at + 8, size - 8)});
        at += size;
    }
    return boxes;
}
QByteArray Joined(const QList<IsoBox>& boxes) {
    QByteArray data;
    for (const IsoBox& box : boxes) {
        data += NumberBytes(4, quint64(box.content.size()) + 8) + box.type + box.content;
    }
    return data;
}
IsoBox& Find(QList<IsoBox>& boxes, const char* type) {
    for (IsoBox& box : boxes) {
        if (box.type == type) {
            return box;
        }
    }
    throw std::runtime_error(std::string("no box ") + type);
}

// 'ipma' with the property `index` given to the chosen items.
QByteArray Associated(const QByteArray& ipma, quint32 primary, bool thumbnails, bool first,
                      quint32 index) {
    const auto flags = quint32(Number(ipma, 0, 4));
    const int idSize = (flags >> 24) < 1 ? 2 : 4;
    const int indexSize = (flags & 1) != 0 ? 2 : 1;
    QByteArray out = ipma.left(8);
    qsizetype at = 8;
    for (quint64 e = 0, entries = Number(ipma, 4, 4); e < entries; ++e) {
        const quint64 id = Number(ipma, at, idSize);
        const int count = quint8(ipma[at + idSize]);
        const qsizetype head = idSize + 1;
        QByteArray entry = ipma.mid(at, head + qsizetype(count) * indexSize);
        at += entry.size();
        if ((id == primary) != thumbnails) {
            entry[idSize] = char(count + 1);
            entry.insert(first ? head : entry.size(), NumberBytes(indexSize, index));
        }
        out += entry;
    }
    return out;
}

// 'iloc' with the places of the items stored in the file moved by `delta` bytes.
QByteArray Moved(QByteArray iloc, qint64 delta) {
    const int version = quint8(iloc[0]);
    const int offsetSize = quint8(iloc[4]) >> 4;
    const int lengthSize = quint8(iloc[4]) & 15;
    const int baseSize = quint8(iloc[5]) >> 4;
    const int indexSize = version > 0 ? quint8(iloc[5]) & 15 : 0;
    const int countSize = version < 2 ? 2 : 4;
    const quint64 items = Number(iloc, 6, countSize);
    qsizetype at = 6 + countSize;
    for (quint64 i = 0; i < items; ++i) {
        at += countSize;    // the item's id
        quint64 method = 0; // 0: in the file, 1: in 'idat'
        if (version > 0) {
            method = Number(iloc, at, 2) & 15;
            at += 2;
        }
        at += 2; // data reference
        if (method == 0 && baseSize > 0) {
            PutNumber(iloc, at, baseSize, Number(iloc, at, baseSize) + quint64(delta));
        }
        at += baseSize;
        const quint64 extents = Number(iloc, at, 2);
        at += 2;
        for (quint64 e = 0; e < extents; ++e, at += offsetSize + lengthSize) {
            at += indexSize;
            if (method == 0 && baseSize == 0) {
                PutNumber(iloc, at, offsetSize, Number(iloc, at, offsetSize) + quint64(delta));
            }
        }
    }
    return iloc;
}

// Writes a TIFF-structured file: directories of entries whose values are numbers, text, bytes,
// or the place of another directory or of a blob of data laid out after them.
class TiffWriter {
public:
    TiffWriter(bool bigEndian, int magic) : m_bigEndian(bigEndian), m_magic(magic) {}

    int Directory() {
        m_directories.emplace_back();
        return int(m_directories.size()) - 1;
    }
    int Blob(const QByteArray& bytes) {
        m_blobs.push_back(bytes);
        return int(m_blobs.size()) - 1;
    }
    void Numbers(int directory, quint16 tag, quint16 type, const std::vector<quint32>& values) {
        QByteArray bytes;
        for (const quint32 value : values) {
            bytes += Number(type == 3 ? 2 : 4, value);
        }
        Add(directory, {tag, type, quint32(values.size()), bytes});
    }
    void Text(int directory, quint16 tag, const QByteArray& text) {
        Add(directory, {tag, 2, quint32(text.size() + 1), text + '\0'});
    }
    void Bytes(int directory, quint16 tag, const QByteArray& bytes) {
        Add(directory, {tag, 1, quint32(bytes.size()), bytes});
    }
    // A blob as the entry's own value (TIFF's "undefined" bytes), wherever it lies.
    void Embedded(int directory, quint16 tag, int blob) {
        Add(directory, {tag, 7, quint32(m_blobs[std::size_t(blob)].size()), {}, -1, blob});
    }
    void PlaceOf(int directory, quint16 tag, int target, bool isBlob = false) {
        Add(directory, {tag, 4, 1, {}, isBlob ? -1 : target, isBlob ? target : -1});
    }

    QByteArray File() const {
        // The header, the directories one after another, their long values, the blobs.
        std::vector<qint64> at;
        qint64 end = 8;
        for (const auto& directory : m_directories) {
            at.push_back(end);
            end += 2 + qint64(directory.size()) * 12 + 4;
        }
        QByteArray values;
        const qint64 valuesAt = end;
        for (const auto& directory : m_directories) {
            for (const Entry& entry : directory) {
                if (entry.bytes.size() > 4) {
                    values += entry.bytes + QByteArray(entry.bytes.size() % 2, '\0');
                }
            }
        }
        std::vector<qint64> blobAt;
        qint64 blobEnd = valuesAt + values.size();
        for (const QByteArray& blob : m_blobs) {
            blobAt.push_back(blobEnd);
            blobEnd += blob.size() + blob.size() % 2;
        }
        QByteArray out = (m_bigEndian ? QByteArray("MM") : QByteArray("II")) +
                         Number(2, quint32(m_magic)) + Number(4, 8);
        qint64 valueAt = valuesAt;
        for (std::size_t d = 0; d < m_directories.size(); ++d) {
            out += Number(2, quint32(m_directories[d].size()));
            for (const Entry& entry : m_directories[d]) {
                out += Number(2, entry.tag) + Number(2, entry.type) + Number(4, entry.count);
                if (entry.directory >= 0) {
                    out += Number(4, quint32(at[std::size_t(entry.directory)]));
                } else if (entry.blob >= 0) {
                    out += Number(4, quint32(blobAt[std::size_t(entry.blob)]));
                } else if (entry.bytes.size() <= 4) {
                    out += entry.bytes + QByteArray(4 - entry.bytes.size(), '\0');
                } else {
                    out += Number(4, quint32(valueAt));
                    valueAt += entry.bytes.size() + entry.bytes.size() % 2;
                }
            }
            out += Number(4, 0);
        }
        out += values;
        for (const QByteArray& blob : m_blobs) {
            out += blob + QByteArray(blob.size() % 2, '\0');
        }
        return out;
    }

private:
    struct Entry {
        quint16 tag;
        quint16 type;
        quint32 count;
        QByteArray bytes;
        int directory = -1;
        int blob = -1;
    };
    void Add(int directory, Entry entry) {
        auto& entries = m_directories[std::size_t(directory)];
        entries.push_back(std::move(entry));
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
    }
    QByteArray Number(int size, quint32 value) const {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i) {
            bytes[m_bigEndian ? size - 1 - i : i] = char((value >> (8 * i)) & 0xFF);
        }
        return bytes;
    }

    bool m_bigEndian;
    int m_magic;
    std::vector<std::vector<Entry>> m_directories;
    std::vector<QByteArray> m_blobs;
};
} // namespace

QByteArray MakeHeif(const QImage& image, const HeifOptions& options) {
    TempFolder dir;
    QString source;
    if (options.tenBit) {
        source =
            dir.Write("in.png", EncodeWithQt(image.convertToFormat(QImage::Format_RGBX64), "png"));
    } else if (options.alpha) {
        source =
            dir.Write("in.png", EncodeWithQt(image.convertToFormat(QImage::Format_ARGB32), "png"));
    } else {
        source = WriteSource(dir, image, options.exif, QStringLiteral("in"));
    }
    QStringList arguments{QStringLiteral("-q"), QStringLiteral("90")};
    if (options.tenBit) {
        arguments << QStringLiteral("-b") << QStringLiteral("10");
    }
    if (options.thumbnail > 0) {
        arguments << QStringLiteral("-t") << QString::number(options.thumbnail);
    }

    const QString output = options.avif ? QStringLiteral("out.avif") : QStringLiteral("out.heic");
    return RunTool(dir, QStringLiteral("heif-enc"), arguments << source << "-o" << output, output);
}

QByteArray MakeHeifWithLibheif(const QImage& picture, const LibheifOptions& sample) {
    const int orientation = sample.orientation;
    const QImage& thumbnail = sample.thumbnail;
    const ExifFields& exif = sample.exif;
    const std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(),
                                                                         &heif_context_free);
    heif_encoder* made = nullptr;
    Check(heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &made));
    const std::unique_ptr<heif_encoder, void (*)(heif_encoder*)> encoder(made,
                                                                         &heif_encoder_release);
    heif_encoder_set_lossy_quality(encoder.get(), 90);
    const std::unique_ptr<heif_encoding_options, void (*)(heif_encoding_options*)> options(
        heif_encoding_options_alloc(), &heif_encoding_options_free);
    options->image_orientation = static_cast<heif_orientation>(orientation);
    const HeifImage image(ToHeifImage(picture), &heif_image_release);
    heif_image_handle* handle = nullptr;
    Check(heif_context_encode_image(context.get(), image.get(), encoder.get(), options.get(),
                                    &handle));
    const std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle*)> primary(
        handle, &heif_image_handle_release);
    if (!exif.dateTime.isEmpty()) {
        const QByteArray block = QByteArray("Exif\0\0", 6) + MakeExifBlock(exif);
        Check(heif_context_add_exif_metadata(context.get(), primary.get(), block.constData(),
                                             int(block.size())));
    }
    if (!thumbnail.isNull()) {
        // libheif scales the picture it is given into the thumbnail's box (and makes none of a
        // picture that already fits it).
        const QImage source = sample.thumbnailAsIs ? thumbnail.scaled(thumbnail.size() * 2)
                                                   : thumbnail.scaled(picture.size());
        const HeifImage large(ToHeifImage(source), &heif_image_release);
        heif_image_handle* thumb = nullptr;
        Check(heif_context_encode_thumbnail(
            context.get(), large.get(), primary.get(), encoder.get(), options.get(),
            std::max(thumbnail.width(), thumbnail.height()), &thumb));
        heif_image_handle_release(thumb);
    }
    QByteArray bytes;
    heif_writer writer{1, &WriteToBytes};
    Check(heif_context_write(context.get(), &writer, &bytes));
    if (orientation >= 5) {
        // libheif 1.15 writes the turned size into 'ispe'; cameras write the coded one.
        const qsizetype ispe = bytes.indexOf("ispe") + 8;
        bytes =
            bytes.left(ispe) + bytes.mid(ispe + 4, 4) + bytes.mid(ispe, 4) + bytes.mid(ispe + 8);
    }
    return bytes;
}

QByteArray CleanApertureBox(int width, int height, int dx, int dy, int denominator) {
    const auto d = quint32(denominator);
    return NumberBytes(4, 40) + "clap" + NumberBytes(4, quint32(width)) + NumberBytes(4, d) +
           NumberBytes(4, quint32(height)) + NumberBytes(4, d) + NumberBytes(4, quint32(dx)) +
           NumberBytes(4, d) + NumberBytes(4, quint32(dy)) + NumberBytes(4, d);
}

QByteArray AddHeifProperty(const QByteArray& heif, const QByteArray& property, bool thumbnails,
                           bool first) {
    QList<IsoBox> top = Boxes(heif);
    IsoBox& meta = Find(top, "meta");
    QList<IsoBox> inner = Boxes(meta.content.mid(4)); // after the version and flags
    const QByteArray pitm = Find(inner, "pitm").content;
    const auto primary = quint32(Number(pitm, 4, quint8(pitm[0]) == 0 ? 2 : 4));
    IsoBox& iprp = Find(inner, "iprp");
    QList<IsoBox> properties = Boxes(iprp.content);
    IsoBox& ipco = Find(properties, "ipco");
    const auto index = quint32(Boxes(ipco.content).size() + 1);
    ipco.content += property;
    IsoBox& ipma = Find(properties, "ipma");
    ipma.content = Associated(ipma.content, primary, thumbnails, first, index);
    iprp.content = Joined(properties);
    // The items' data follow 'meta' (libheif writes 'mdat' last): they move by its growth.
    const qint64 growth = 4 + Joined(inner).size() - meta.content.size();
    IsoBox& iloc = Find(inner, "iloc");
    iloc.content = Moved(iloc.content, growth);
    meta.content = meta.content.left(4) + Joined(inner);
    return Joined(top);
}

QByteArray MakeWebp(const QImage& image, const WebpOptions& options) {
    TempFolder dir;
    if (!options.secondFrame.isNull()) {
        dir.Write("a.png", EncodeWithQt(image, "png"));
        dir.Write("b.png", EncodeWithQt(options.secondFrame, "png"));
        return RunTool(dir, QStringLiteral("img2webp"),
                       {"-loop", "0", "-lossy", "a.png", "b.png", "-o", "out.webp"}, "out.webp");
    }
    const QString source = WriteSource(dir, image, options.exif, QStringLiteral("in"));
    QStringList arguments{QStringLiteral("-quiet")};
    if (options.lossless) {
        arguments << QStringLiteral("-lossless");
    }
    if (!options.exif.dateTime.isEmpty()) {
        arguments << QStringLiteral("-metadata") << QStringLiteral("exif");
    }
    return RunTool(dir, QStringLiteral("cwebp"),
                   arguments << source << "-o"
                             << "out.webp",
                   "out.webp");
}

QByteArray MakeDng(const QImage& sensor, const DngOptions& options) {
    TempFolder dir;
    const QString path = dir.File("out.dng");
    TIFF* tiff = TIFFOpen(path.toLocal8Bit().constData(), "w");
    if (tiff == nullptr) {
        throw std::runtime_error("cannot write the DNG");
    }
    static const std::uint8_t version[4] = {1, 4, 0, 0};
    std::uint64_t none = 0;
    // The first directory holds what identifies the file: the preview when there is one, else
    // the raw data itself.
    TIFFSetField(tiff, TIFFTAG_DNGVERSION, version);
    TIFFSetField(tiff, TIFFTAG_MAKE, "Mirte");
    TIFFSetField(tiff, TIFFTAG_MODEL, "Test Camera");
    TIFFSetField(tiff, TIFFTAG_UNIQUECAMERAMODEL, "Mirte Test Camera");
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, options.orientation);
    if (!options.exif.dateTime.isEmpty()) {
        TIFFSetField(tiff, TIFFTAG_DATETIME, options.exif.dateTime.constData());
    }
    if (!options.exif.dateTimeOriginal.isEmpty()) {
        TIFFSetField(tiff, TIFFTAG_EXIFIFD, none); // its place is known at the end
    }
    if (!options.preview.isNull()) {
        const QImage preview = options.preview.convertToFormat(QImage::Format_RGB888);
        TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_REDUCEDIMAGE);
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, preview.width());
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, preview.height());
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
        TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        TIFFSetField(tiff, TIFFTAG_JPEGQUALITY, 92);
        TIFFSetField(tiff, TIFFTAG_JPEGTABLESMODE, 0); // one whole JPEG stream in the strip
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, preview.height());
        TIFFSetField(tiff, TIFFTAG_SUBIFD, 1, &none);
        for (int y = 0; y < preview.height(); ++y) {
            TIFFWriteScanline(tiff, const_cast<uchar*>(preview.constScanLine(y)), y, 0);
        }
        TIFFWriteDirectory(tiff);
    }
    // The sensor: red, green / green, blue, linear light over the whole 16 bits.
    const QImage rgb = sensor.convertToFormat(QImage::Format_RGB888);
    static const std::uint16_t repeat[2] = {2, 2};
    static const std::uint8_t pattern[4] = {0, 1, 1, 2};
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, 0);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, rgb.width());
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, rgb.height());
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, 32803); // colour filter array
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rgb.height());
    TIFFSetField(tiff, TIFFTAG_CFAREPEATPATTERNDIM, repeat);
    TIFFSetField(tiff, TIFFTAG_CFAPATTERN, 4, pattern);
    std::vector<std::uint16_t> samples;
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* pixels = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const int channel = pattern[(y % 2) * 2 + x % 2];
            samples.push_back(
                std::uint16_t(std::lround(std::pow(pixels[3 * x + channel] / 255.0, 2.2) * 65535)));
        }
    }
    if (options.losslessJpeg) {
        // Written as they come: libtiff's own JPEG codec takes no 16-bit samples.
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
        QByteArray stream = LosslessJpeg(samples, rgb.width(), rgb.height());
        TIFFWriteRawStrip(tiff, 0, stream.data(), stream.size());
    } else {
        for (int y = 0; y < rgb.height(); ++y) {
            TIFFWriteScanline(tiff, samples.data() + std::size_t(y) * rgb.width(), y, 0);
        }
    }
    TIFFWriteDirectory(tiff);
    // The Exif directory last, its place then written into the first directory.
    if (!options.exif.dateTimeOriginal.isEmpty()) {
        std::uint64_t exifAt = 0;
        TIFFCreateEXIFDirectory(tiff);
        TIFFSetField(tiff, EXIFTAG_DATETIMEORIGINAL, options.exif.dateTimeOriginal.constData());
        TIFFWriteCustomDirectory(tiff, &exifAt);
        TIFFSetDirectory(tiff, 0);
        TIFFSetField(tiff, TIFFTAG_EXIFIFD, exifAt);
        TIFFRewriteDirectory(tiff);
    }
    TIFFClose(tiff);
    return dir.Read("out.dng");
}

} // namespace mirte::test

namespace mirte::test {

QByteArray MakeTiffRaw(const TiffRawOptions& options) {
    TiffWriter tiff(options.bigEndian, options.magic);
    const int first = tiff.Directory();
    tiff.Text(first, 0x010F, "Mirte");
    tiff.Text(first, 0x0110, "Future Camera");
    const ExifFields& exif = options.exif;
    if (exif.orientation > 0) {
        tiff.Numbers(first, 0x0112, 3, {quint32(exif.orientation)});
    }
    if (!options.inJpeg && !exif.dateTime.isEmpty()) {
        tiff.Text(first, 0x0132, exif.dateTime);
    }
    if (!options.inJpeg && !exif.dateTimeOriginal.isEmpty()) {
        const int exifDirectory = tiff.Directory();
        tiff.Text(exifDirectory, 0x9003, exif.dateTimeOriginal);
        tiff.PlaceOf(first, 0x8769, exifDirectory);
    }
    if (options.inJpeg) {
        const QByteArray jpeg = MakeExifJpeg(
            options.preview.isNull() ? QImage(16, 16, QImage::Format_RGB32) : options.preview,
            {exif.dateTime, exif.dateTimeOriginal});
        tiff.Embedded(first, 0x002E, tiff.Blob(jpeg));
    } else if (!options.preview.isNull()) {
        const QByteArray jpeg = EncodeWithQt(options.preview, "jpg", 90);
        tiff.PlaceOf(first, 0x0201, tiff.Blob(jpeg), true);
        tiff.Numbers(first, 0x0202, 4, {quint32(jpeg.size())});
    }
    if (!options.sensor.isNull()) {
        // Red, green / green, blue, linear, as MakeDng writes it.
        const QImage rgb = options.sensor.convertToFormat(QImage::Format_RGB888);
        QByteArray samples;
        for (int y = 0; y < rgb.height(); ++y) {
            for (int x = 0; x < rgb.width(); ++x) {
                const int channel = (y % 2) + (x % 2);
                const auto value = quint16(std::lround(
                    std::pow(rgb.constScanLine(y)[3 * x + channel] / 255.0, 2.2) * 65535));
                samples += options.bigEndian ? QByteArray{char(value >> 8), char(value & 0xFF)}
                                             : QByteArray{char(value & 0xFF), char(value >> 8)};
            }
        }
        const quint32 length = quint32(samples.size());
        const int raw = tiff.Directory();
        tiff.Numbers(raw, 0x00FE, 4, {0});
        tiff.Numbers(raw, 0x0100, 4, {quint32(rgb.width())});
        tiff.Numbers(raw, 0x0101, 4, {quint32(rgb.height())});
        tiff.Numbers(raw, 0x0102, 3, {16});
        tiff.Numbers(raw, 0x0103, 3, {1});
        tiff.Numbers(raw, 0x0106, 3, {32803});
        tiff.PlaceOf(raw, 0x0111, tiff.Blob(options.cutShort ? samples.left(100) : samples), true);
        tiff.Numbers(raw, 0x0115, 3, {1});
        tiff.Numbers(raw, 0x0116, 4, {quint32(rgb.height())});
        tiff.Numbers(raw, 0x0117, 4, {length});
        tiff.Numbers(raw, 0x828D, 3, {2, 2});
        tiff.Bytes(raw, 0x828E, QByteArray("\0\1\1\2", 4));
        tiff.PlaceOf(first, 0x014A, raw);
    }
    return tiff.File();
}

} // namespace mirte::test
