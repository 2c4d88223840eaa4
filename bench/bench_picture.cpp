// Reading a picture's facts must not decode it: GetImageInfo of each format against a full
// MakeThumbnail of the same file, on 4000 x 3000 pictures made by Qt's writers. And a file's
// first image, which the grid shows at once: a HEIC's thumbnail item, a JPEG's EXIF thumbnail
// and a 24-megapixel JPEG's MPF preview, for a cell of 160 pixels.

#include "cache/th_render.h"
#include "format_samples.h"
#include "picture/first_image.h"
#include "picture_fixtures.h"
#include "preview_samples.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <string>

namespace {

QImage Photo() {
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] = qRgb((x * 7 + y) & 255, (x ^ y) & 255, (y * 3) & 255);
        }
    }
    return image;
}

// One 12-megapixel file per format, written once.
const QString& PictureOf(const char* format) {
    static QTemporaryDir dir;
    static std::map<std::string, QString> paths;
    auto found = paths.find(format);
    if (found == paths.end()) {
        static const QImage photo = Photo();
        const QString path = dir.filePath(QStringLiteral("photo.") + QString::fromLatin1(format));
        QImageWriter writer(path, format);
        writer.setQuality(90);
        writer.write(photo);
        found = paths.emplace(format, path).first;
    }
    return found->second;
}

void GetImageInfo(benchmark::State& state, const char* format) {
    const QString path = PictureOf(format);
    for (auto _ : state) {
        mirte::TPictureFacts info;
        mirte::ReadPictureFacts(path, mirte::ReadPictureHeader(path), info);
        benchmark::DoNotOptimize(info.Width);
    }
}
BENCHMARK_CAPTURE(GetImageInfo, jpg, "jpg")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(GetImageInfo, png, "png")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(GetImageInfo, tif, "tif")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(GetImageInfo, bmp, "bmp")->Unit(benchmark::kMicrosecond);

void MakeThumbnail(benchmark::State& state, const char* format) {
    const QString path = PictureOf(format);
    for (auto _ : state) {
        const mirte::TRenderedPicture made = mirte::RenderPicture(path, QSize(512, 512), false);
        benchmark::DoNotOptimize(made.Thumbnail.width());
    }
}
BENCHMARK_CAPTURE(MakeThumbnail, jpg, "jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MakeThumbnail, png, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MakeThumbnail, tif, "tif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MakeThumbnail, bmp, "bmp")->Unit(benchmark::kMillisecond);

// The camera files of the first-image benchmarks, made once (the HEIC takes heif-enc a while).
QString CameraFile(const char* kind) {
    static QTemporaryDir dir;
    static std::map<std::string, QString> paths;
    auto found = paths.find(kind);
    if (found != paths.end()) {
        return found->second;
    }
    using namespace mirte::test;
    const std::string name = kind;
    QByteArray bytes;
    QString file;
    if (name == "heic") {
        const QImage photo = MakeTestPicture(4032, 3024);
        bytes = MakeHeif(photo, {.thumbnail = 320});
        file = QStringLiteral("photo.heic");
    } else if (name == "exif") {
        const QImage photo = MakeTestPicture(4032, 3024);
        bytes = WithExifThumbnail(EncodeWithQt(photo, "jpg", 90),
                                  EncodeWithQt(photo.scaled(160, 120), "jpg", 90));
        file = QStringLiteral("exif.jpg");
    } else {
        const QImage photo = MakeTestPicture(6000, 4000);
        bytes = MakeMpfJpeg(EncodeWithQt(photo, "jpg", 90),
                            EncodeWithQt(photo.scaled(1920, 1280), "jpg", 90));
        file = QStringLiteral("mpf.jpg");
    }
    QFile out(dir.filePath(file));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        return {};
    }
    return paths.emplace(name, out.fileName()).first->second;
}

void FirstImage(benchmark::State& state, const char* kind) {
    const QString path = CameraFile(kind);
    for (auto _ : state) {
        const mirte::TFirstImage first = mirte::ReadFirstImage(path, QSize(160, 120));
        if (first.Picture.isNull()) {
            state.SkipWithError(qUtf8Printable(first.Reason));
            break;
        }
        benchmark::DoNotOptimize(first.Picture.width());
    }
}
BENCHMARK_CAPTURE(FirstImage, heic_thumbnail_item, "heic")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstImage, jpeg_exif_thumbnail, "exif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstImage, jpeg_mpf_preview, "mpf")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // Qt's image writers are plugins
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
