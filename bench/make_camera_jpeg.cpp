// A camera-like JPEG for bench/phone_folder.sh: the photo with a preview of 1,920 pixels across
// in its MPF data, as cameras write them (the tests' own MPF writer).
//   make_camera_jpeg PHOTO.jpg OUT.jpg
#include "preview_samples.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: make_camera_jpeg PHOTO.jpg OUT.jpg\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_camera_jpeg: cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray photo = in.readAll();
    const QImage picture = QImage::fromData(photo);
    if (picture.isNull()) {
        std::fprintf(stderr, "make_camera_jpeg: %s is not a picture\n", argv[1]);
        return 1;
    }
    QByteArray preview;
    {
        QBuffer buffer(&preview);
        buffer.open(QIODevice::WriteOnly);
        picture.scaledToWidth(1920, Qt::SmoothTransformation).save(&buffer, "jpg", 85);
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(mirte::test::MakeMpfJpeg(photo, preview)) < 0) {
        std::fprintf(stderr, "make_camera_jpeg: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
