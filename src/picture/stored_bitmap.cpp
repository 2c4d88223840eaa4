#include "stored_bitmap.h"

#include "dib_graphic.h"
#include "picture_header.h"
#include "util/unique_fd.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace mirte {

namespace {

quint32 U32(const uchar* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24);
}

// The image when the file has exactly the store's layout; a null image otherwise. The rows are
// read from the bottom one up straight into their places (a gathering read), never copied twice.
QImage ReadExactLayout(int fd, QImage&& reuse) {
    uchar head[54];
    struct stat st {};
    if (::fstat(fd, &st) != 0 || ::pread(fd, head, 54, 0) != 54 || head[0] != 'B' ||
        head[1] != 'M' || U32(head + 10) != 54 || U32(head + 14) != 40 ||
        (head[28] | (head[29] << 8)) != 24 || U32(head + 30) != 0) {
        return {};
    }
    const qint64 width = static_cast<qint32>(U32(head + 18));
    const qint64 height = static_cast<qint32>(U32(head + 22));
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide) {
        return {};
    }
    const qint64 stride = (width * 3 + 3) & ~qint64{3};
    if (st.st_size != 54 + stride * height) {
        return {};
    }
    // The caller's image is filled in place when nobody else shares it and it has this size.
    QImage image = std::move(reuse);
    if (image.size() != QSize(int(width), int(height)) || image.format() != QImage::Format_BGR888 ||
        !image.isDetached()) {
        image = QImage(int(width), int(height), QImage::Format_BGR888);
    }
    if (image.isNull() || image.bytesPerLine() != stride) {
        return {};
    }
    std::vector<iovec> rows;
    off_t offset = 54;
    for (qint64 first = 0; first < height;) {
        const qint64 count = std::min<qint64>(height - first, IOV_MAX);
        rows.resize(std::size_t(count));
        for (qint64 k = 0; k < count; ++k) {
            rows[std::size_t(k)] = {image.scanLine(int(height - 1 - first - k)),
                                    std::size_t(stride)};
        }
        const ssize_t want = static_cast<ssize_t>(stride * count);
        if (::preadv(fd, rows.data(), int(count), offset) != want) {
            return {};
        }
        offset += want;
        first += count;
    }
    return image;
}

} // namespace

bool ReadStoredBitmap(const QString& path, QImage& image) {
    {
        const UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
        if (!fd.Valid() && errno == ENOENT) {
            return false;
        }
        if (fd.Valid()) {
            QImage read = ReadExactLayout(fd.Get(), std::move(image));
            if (!read.isNull()) {
                image = std::move(read);
                return true;
            }
        }
    }
    TDibGraphic dib; // every other form, with its own errors
    dib.LoadFromFile(path);
    image = dib.ToImage();
    return true;
}

} // namespace mirte
