#include "picture_format.h"

#include "format_table.h"
#include "util/paths.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>

namespace mirte {

namespace {

const QStringList& MovieExtensions() {
    static const QStringList list =
        QStringLiteral("avi,mp4,mov,m4v,mts,m2ts,3gp,mkv,webm,wmv,mpg,mpeg")
            .split(QLatin1Char(','));
    return list;
}

bool Contains(std::span<const QByteArrayView> brands, QByteArrayView brand) {
    return std::find(brands.begin(), brands.end(), brand) != brands.end();
}

bool Contains(std::span<const char* const> extensions, const QString& ext) {
    return std::any_of(extensions.begin(), extensions.end(),
                       [&ext](const char* known) { return ext == QLatin1String(known); });
}

// An ISO base media file ("ftyp" box first): the format whose brands hold its major brand, else
// the first of its compatible brands that a format claims.
PictureFormat SniffFileTypeBox(QByteArrayView b) {
    if (b.size() < 16 || b.sliced(4, 4) != QByteArrayView("ftyp")) {
        return PictureFormat::Unknown;
    }
    const QByteArrayView major = b.sliced(8, 4);
    for (const FormatEntry& entry : PictureFormats()) {
        if (Contains(entry.majorBrands, major)) {
            return entry.format;
        }
    }
    // The compatible brands fill the rest of the box (after the 4-byte minor version).
    const qint64 boxSize = qFromBigEndian<quint32>(b.data());
    const qint64 end = qMin<qint64>(boxSize, b.size());
    for (qint64 at = 16; at + 4 <= end; at += 4) {
        for (const FormatEntry& entry : PictureFormats()) {
            if (Contains(entry.compatibleBrands, b.sliced(at, 4))) {
                return entry.format;
            }
        }
    }
    return PictureFormat::Unknown;
}

} // namespace

const QStringList& BrowsedExtensions() {
    static const QStringList extensions = [] {
        QStringList list;
        for (const FormatEntry& entry : PictureFormats()) {
            for (const char* ext : entry.listedExtensions) {
                list += QString::fromLatin1(ext);
            }
        }
        return list + MovieExtensions();
    }();
    return extensions;
}

bool IsMovieExtension(const QString& ext) {
    return MovieExtensions().contains(ext);
}

bool IsPictureExtension(const QString& ext) {
    return !IsMovieExtension(ext) && BrowsedExtensions().contains(ext);
}

PictureFormat SniffFormat(QByteArrayView firstBytes) {
    for (const FormatEntry& entry : PictureFormats()) {
        for (const FormatSignature& signature : entry.signatures) {
            if (signature.Matches(firstBytes)) {
                return entry.format;
            }
        }
    }
    return SniffFileTypeBox(firstBytes);
}

PictureFormat FormatOfExtension(const QString& ext) {
    for (const FormatEntry& entry : PictureFormats()) {
        if (Contains(entry.listedExtensions, ext) || Contains(entry.otherExtensions, ext)) {
            return entry.format;
        }
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
