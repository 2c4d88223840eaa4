#include "stored_bitmap.h"

#include "dib_graphic.h"
#include "picture_header.h"
#include "util/unique_fd.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mirte {

namespace {

quint32 U32(const uchar* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24);
}

// The whole file in a buffer that each thread keeps, so that reading allocates nothing.
class WholeFile {
public:
    explicit WholeFile(const QString& path) {
        static thread_local std::vector<uchar> buffer;
        const UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
        struct stat st {};
        if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0 || st.st_size <= 0 ||
            st.st_size > qint64{64} * 1024 * 1024) {
            return; // not a thumbnail of ours: the general reader decides
        }
        buffer.resize(std::size_t(st.st_size));
        std::size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t got = ::read(fd.Get(), buffer.data() + done, buffer.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return;
            }
            done += std::size_t(got);
        }
        m_data = buffer.data();
        m_size = st.st_size;
    }

    const uchar* Data() const { return m_data; }
    qint64 Size() const { return m_size; }

private:
    const uchar* m_data = nullptr;
    qint64 m_size = 0;
};

// The image when the file has exactly the store's layout; a null image otherwise.
QImage ReadExactLayout(const WholeFile& file) {
    const uchar* head = file.Data();
    if (head == nullptr || file.Size() < 54 || head[0] != 'B' || head[1] != 'M' ||
        U32(head + 10) != 54 || U32(head + 14) != 40 || (head[28] | (head[29] << 8)) != 24 ||
        U32(head + 30) != 0) {
        return {};
    }
    const qint64 width = static_cast<qint32>(U32(head + 18));
    const qint64 height = static_cast<qint32>(U32(head + 22));
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide) {
        return {};
    }
    const qint64 stride = (width * 3 + 3) & ~qint64{3};
    if (file.Size() != 54 + stride * height) {
        return {};
    }
    QImage image(int(width), int(height), QImage::Format_BGR888);
    if (image.isNull()) {
        return {};
    }
    const std::size_t rowBytes = std::size_t(width) * 3;
    for (qint64 y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(int(y)), head + 54 + (height - 1 - y) * stride, rowBytes);
    }
    return image;
}

} // namespace

QImage ReadStoredBitmap(const QString& path) {
    {
        const WholeFile file(path);
        QImage image = ReadExactLayout(file);
        if (!image.isNull()) {
            return image;
        }
    }
    TDibGraphic dib; // every other form, with its own errors
    dib.LoadFromFile(path);
    return dib.ToImage();
}

} // namespace mirte
