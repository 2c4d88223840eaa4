#include "picture_fixtures.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryFile>
#include <cmath>
#include <stdexcept>
#include <tiffio.h>

namespace mirte::test {

QImage MakeTestPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int r = 255 * x / std::max(1, width - 1);
            const int g = 255 * y / std::max(1, height - 1);
            const int b = (x < width / 3) ? 230 : (y < height / 4 ? 40 : 140);
            image.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return image;
}

QByteArray EncodeWithQt(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        throw std::runtime_error(
            ("cannot encode " + std::string(format) + ": " + writer.errorString().toStdString()));
    }
    return bytes;
}

namespace {

class Writer {
public:
    explicit Writer(bool bigEndian) : m_big(bigEndian) {}
    void U16(quint32 v) { Put(v, 2); }
    void U32(quint32 v) { Put(v, 4); }
    void Bytes(const QByteArray& b) { data += b; }
    void At(qsizetype at, quint32 v) {
        for (int i = 0; i < 4; ++i) {
            data[at + i] = char(m_big ? (v >> (8 * (3 - i))) : (v >> (8 * i)));
        }
    }
    QByteArray data;

private:
    void Put(quint32 v, int size) {
        for (int i = 0; i < size; ++i) {
            data += char(m_big ? (v >> (8 * (size - 1 - i))) : (v >> (8 * i)));
        }
    }
    bool m_big;
};

} // namespace

QByteArray MakeExifBlock(const ExifFields& f) {
    Writer w(f.bigEndian);
    w.Bytes(f.bigEndian ? QByteArray("MM") : QByteArray("II"));
    w.U16(42);
    w.U32(8);
    // IFD0: orientation, date-time, pointer to the Exif directory.
    const int entries = 2 + (f.orientation ? 1 : 0);
    const qsizetype ifd0 = w.data.size();
    const qsizetype ifd0End = ifd0 + 2 + entries * 12 + 4;
    const qsizetype dateAt = ifd0End;
    const qsizetype exifIfd = dateAt + f.dateTime.size() + 1;
    const qsizetype exifEnd = exifIfd + 2 + 12 + 4;
    w.U16(entries);
    if (f.orientation) {
        w.U16(0x0112);
        w.U16(3);
        w.U32(1);
        w.U16(f.orientation);
        w.U16(0);
    }
    w.U16(0x0132);
    w.U16(2);
    w.U32(f.dateTime.size() + 1);
    w.U32(dateAt);
    w.U16(0x8769);
    w.U16(4);
    w.U32(1);
    w.U32(exifIfd);
    w.U32(0); // no next directory
    w.Bytes(f.dateTime + '\0');
    w.U16(1);
    w.U16(0x9003);
    w.U16(2);
    w.U32(f.dateTimeOriginal.size() + 1);
    w.U32(exifEnd);
    w.U32(0);
    w.Bytes(f.dateTimeOriginal + '\0');
    return w.data;
}

QByteArray InsertSegment(const QByteArray& jpeg, std::uint8_t marker, const QByteArray& payload) {
    QByteArray segment;
    segment += char(0xFF);
    segment += char(marker);
    const int length = payload.size() + 2;
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    segment += payload;
    // After SOI and, when there is one, the JFIF APP0 segment.
    qsizetype at = 2;
    if (jpeg.size() > 4 && quint8(jpeg[2]) == 0xFF && quint8(jpeg[3]) == 0xE0) {
        at = 4 + ((quint8(jpeg[4]) << 8) | quint8(jpeg[5]));
    }
    return jpeg.left(at) + segment + jpeg.mid(at);
}

QByteArray MakeExifJpeg(const QImage& image, const ExifFields& fields) {
    return InsertSegment(EncodeWithQt(image, "jpg"), 0xE1,
                         QByteArray("Exif\0\0", 6) + MakeExifBlock(fields));
}

QByteArray EncodeTiff(const QImage& image, int compression) {
    QTemporaryFile file;
    if (!file.open()) {
        throw std::runtime_error("no temporary file");
    }
    const QByteArray name = QFile::encodeName(file.fileName());
    TIFF* tiff = TIFFOpen(name.constData(), "w");
    if (tiff == nullptr) {
        throw std::runtime_error("cannot write a TIFF");
    }
    const bool bilevel = compression == COMPRESSION_CCITTRLE ||
                         compression == COMPRESSION_CCITTFAX3 ||
                         compression == COMPRESSION_CCITTFAX4;
    const int w = image.width();
    const int h = image.height();
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    if (bilevel) {
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    } else {
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        if (compression == COMPRESSION_JPEG) {
            TIFFSetField(tiff, TIFFTAG_JPEGQUALITY, 95);
        }
    }
    std::vector<std::uint8_t> row(std::size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (bilevel) {
            std::fill(row.begin(), row.end(), 0);
            for (int x = 0; x < w; ++x) {
                if (qGray(in[x]) < 128) {
                    row[x / 8] |= std::uint8_t(0x80 >> (x % 8)); // 1 = black (min-is-white)
                }
            }
        } else {
            for (int x = 0; x < w; ++x) {
                row[x * 3] = qRed(in[x]);
                row[x * 3 + 1] = qGreen(in[x]);
                row[x * 3 + 2] = qBlue(in[x]);
            }
        }
        TIFFWriteScanline(tiff, row.data(), y, 0);
    }
    TIFFClose(tiff);
    file.seek(0);
    return file.readAll();
}

double MeanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return 255.0;
    }
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double total = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const QRgb* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            total += std::abs(qRed(p[col]) - qRed(q[col])) +
                     std::abs(qGreen(p[col]) - qGreen(q[col])) +
                     std::abs(qBlue(p[col]) - qBlue(q[col]));
        }
    }
    return total / (3.0 * x.width() * x.height());
}

double Psnr(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) {
        return 0.0;
    }
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double squares = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const QRgb* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            for (const int d : {qRed(p[col]) - qRed(q[col]), qGreen(p[col]) - qGreen(q[col]),
                                qBlue(p[col]) - qBlue(q[col])}) {
                squares += double(d) * d;
            }
        }
    }
    const double mean = squares / (3.0 * x.width() * x.height());
    return mean == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mean);
}

bool SwapKeepingSizeAndTime(const QString& path, QByteArray jpeg) {
    QFile file(path);
    const qint64 size = file.size();
    const QDateTime time = QFileInfo(file).lastModified();
    if (jpeg.size() > size || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    jpeg.resize(size, '\0');
    return file.write(jpeg) == size && file.setFileTime(time, QFileDevice::FileModificationTime);
}

} // namespace mirte::test
