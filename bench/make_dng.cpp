// A camera RAW file for bench/formats.sh: the photo as a DNG's 16-bit sensor data compressed as
// cameras compress it (lossless JPEG), with the photo itself as a full-size JPEG preview.
//   make_dng PHOTO.jpg OUT.dng
#include "format_samples.h"

#include <QFile>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_dng PHOTO.jpg OUT.dng\n");
        return 2;
    }
    const QImage photo(QString::fromLocal8Bit(argv[1]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (photo.isNull() || !out.open(QIODevice::WriteOnly) ||
        out.write(mirte::test::MakeDng(photo, {.preview = photo, .losslessJpeg = true})) <= 0) {
        std::fprintf(stderr, "make_dng: cannot make %s\n", argv[2]);
        return 1;
    }
    return 0;
}
