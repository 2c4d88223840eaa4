#include "picture_format.h"

#include "util/paths.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

namespace mirte {

namespace {

const QStringList& HeifExtensions() {
    static const QStringList list = {"heic", "heif", "hif", "avif"};
    return list;
}

const QStringList& RawExtensions() {
    static const QStringList list =
        QStringLiteral("cr2,cr3,crw,nef,nrw,arw,srf,sr2,dng,orf,rw2,raf,pef,srw,x3f,3fr,iiq,"
                       "erf,kdc,dcr,mos,mrw,rwl")
            .split(QLatin1Char(','));
    return list;
}

const QStringList& MovieExtensions() {
    static const QStringList list =
        QStringLiteral("avi,mp4,mov,m4v,mts,m2ts,3gp,mkv,webm,wmv,mpg,mpeg")
            .split(QLatin1Char(','));
    return list;
}

// The ISO base media file's brands that announce a still picture libheif reads: HEVC and AV1
// images and sequences, and the generic image brands.
bool IsHeifBrand(QByteArrayView brand) {
    static const QSet<QByteArray> brands = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                            "hevm", "hevs", "mif1", "msf1", "avif", "avis"};
    return brands.contains(brand.toByteArray());
}

// An ISO base media file ("ftyp" box first): HEIF when its major or any compatible brand is one
// of HEIF's, a Canon CR3 when its major brand is "crx ".
PictureFormat SniffFileTypeBox(QByteArrayView b) {
    if (b.size() < 16 || b.sliced(4, 4) != QByteArrayView("ftyp")) {
        return PictureFormat::Unknown;
    }
    const QByteArrayView major = b.sliced(8, 4);
    if (major == QByteArrayView("crx ")) {
        return PictureFormat::Raw;
    }
    if (IsHeifBrand(major)) {
        return PictureFormat::Heif;
    }
    // The compatible brands fill the rest of the box (after the 4-byte minor version).
    const qint64 boxSize = qFromBigEndian<quint32>(b.data());
    const qint64 end = qMin<qint64>(boxSize, b.size());
    for (qint64 at = 16; at + 4 <= end; at += 4) {
        if (IsHeifBrand(b.sliced(at, 4))) {
            return PictureFormat::Heif;
        }
    }
    return PictureFormat::Unknown;
}

// Camera RAW files whose first bytes are their own (the TIFF-based ones look like TIFF).
bool IsRawSignature(QByteArrayView b) {
    static const QByteArrayView signatures[] = {
        QByteArrayView("IIRO", 4),
        QByteArrayView("IIRS", 4),
        QByteArrayView("MMOR", 4),
        QByteArrayView("IIU\0", 4),
        QByteArrayView("FUJIFILMCCD-RAW", 15),
        QByteArrayView("\0MRM", 4),
        QByteArrayView("FOVb", 4),
    };
    for (const QByteArrayView signature : signatures) {
        if (b.startsWith(signature)) {
            return true;
        }
    }
    return b.size() >= 14 && b.startsWith(QByteArrayView("II\x1A\0\0\0", 6)) &&
           b.sliced(6, 8) == QByteArrayView("HEAPCCDR"); // Canon CRW
}

} // namespace

const QStringList& BrowsedExtensions() {
    static const QStringList extensions = QStringList{"bmp", "jpg", "jpeg", "tif", "tiff", "png"} +
                                          HeifExtensions() + QStringList{"webp"} + RawExtensions() +
                                          MovieExtensions();
    return extensions;
}

bool IsMovieExtension(const QString& ext) {
    return MovieExtensions().contains(ext);
}

bool IsPictureExtension(const QString& ext) {
    return !IsMovieExtension(ext) && BrowsedExtensions().contains(ext);
}

PictureFormat SniffFormat(QByteArrayView firstBytes) {
    if (firstBytes.size() >= 3 && firstBytes.startsWith("\xFF\xD8\xFF")) {
        return PictureFormat::Jpeg;
    }
    if (firstBytes.size() >= 8 && firstBytes.startsWith("\x89PNG\r\n\x1A\n")) {
        return PictureFormat::Png;
    }
    if (IsRawSignature(firstBytes)) {
        return PictureFormat::Raw;
    }
    if (firstBytes.size() >= 4 && (firstBytes.startsWith(QByteArrayView("II*\0", 4)) ||
                                   firstBytes.startsWith(QByteArrayView("MM\0*", 4)) ||
                                   firstBytes.startsWith(QByteArrayView("II+\0", 4)) ||
                                   firstBytes.startsWith(QByteArrayView("MM\0+", 4)))) {
        return PictureFormat::Tiff; // classic and big TIFF
    }
    if (firstBytes.size() >= 2 && firstBytes.startsWith("BM")) {
        return PictureFormat::Bmp;
    }
    if (firstBytes.size() >= 12 && firstBytes.startsWith("RIFF") &&
        firstBytes.sliced(8, 4) == QByteArrayView("WEBP")) {
        return PictureFormat::WebP;
    }
    return SniffFileTypeBox(firstBytes);
}

PictureFormat FormatOfExtension(const QString& ext) {
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") ||
        ext == QLatin1String("jpe") || ext == QLatin1String("jfif")) {
        return PictureFormat::Jpeg;
    }
    if (ext == QLatin1String("png")) {
        return PictureFormat::Png;
    }
    if (ext == QLatin1String("tif") || ext == QLatin1String("tiff")) {
        return PictureFormat::Tiff;
    }
    if (ext == QLatin1String("bmp") || ext == QLatin1String("dib")) {
        return PictureFormat::Bmp;
    }
    if (HeifExtensions().contains(ext)) {
        return PictureFormat::Heif;
    }
    if (ext == QLatin1String("webp")) {
        return PictureFormat::WebP;
    }
    if (RawExtensions().contains(ext)) {
        return PictureFormat::Raw;
    }
    return PictureFormat::Unknown;
}

PictureFormat FormatOf(PictureFormat sniffed, const QString& ext) {
    const PictureFormat named = FormatOfExtension(ext);
    if (sniffed == PictureFormat::Tiff && named == PictureFormat::Raw) {
        return PictureFormat::Raw; // NEF, CR2, DNG, ARW and the like are TIFF structures
    }
    return sniffed != PictureFormat::Unknown ? sniffed : named;
}

PictureFormat FormatOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return PictureFormat::Unknown;
    }
    return FormatOf(SniffFormat(file.read(SniffBytes)), ExtractExt(path));
}

} // namespace mirte
