#include "picture_format.h"

#include "util/paths.h"

#include <QFile>

namespace mirte {

const QStringList& BrowsedExtensions() {
    static const QStringList extensions =
        QStringLiteral("bmp,jpg,jpeg,tif,tiff,png,avi").split(QLatin1Char(','));
    return extensions;
}

bool IsMovieExtension(const QString& ext) {
    return ext == QLatin1String("avi");
}

bool IsPictureExtension(const QString& ext) {
    return !IsMovieExtension(ext) && BrowsedExtensions().contains(ext);
}

PictureFormat SniffFormat(QByteArrayView b) {
    if (b.size() >= 3 && b.startsWith("\xFF\xD8\xFF")) {
        return PictureFormat::Jpeg;
    }
    if (b.size() >= 8 && b.startsWith("\x89PNG\r\n\x1A\n")) {
        return PictureFormat::Png;
    }
    if (b.size() >= 4 &&
        (b.startsWith(QByteArrayView("II*\0", 4)) || b.startsWith(QByteArrayView("MM\0*", 4)) ||
         b.startsWith(QByteArrayView("II+\0", 4)) || b.startsWith(QByteArrayView("MM\0+", 4)))) {
        return PictureFormat::Tiff; // classic and big TIFF
    }
    if (b.size() >= 2 && b.startsWith("BM")) {
        return PictureFormat::Bmp;
    }
    return PictureFormat::Unknown;
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
    return PictureFormat::Unknown;
}

PictureFormat FormatOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return PictureFormat::Unknown;
    }
    const QByteArray head = file.read(8);
    const PictureFormat sniffed = SniffFormat(head);
    return sniffed != PictureFormat::Unknown ? sniffed : FormatOfExtension(ExtractExt(path));
}

} // namespace mirte
