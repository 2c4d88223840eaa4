// The report engine's speed: one preview page of an A4 report with 100 picture cells, and a
// 20-page report of 100 pictures a page printed into a PDF file (time and file size).
//
//   bench_report [PHOTODIR]
//
// PHOTODIR holds photo-like JPEGs (bench/report.sh makes 2,000 of 512 x 384 with make_photos,
// the size of the cache's thumbnails); each is fitted into 512 x 512 as the cache would, and
// every cell gets a picture of its own. Without it the demo's generated pictures are used.

#include "cli/demo_report.h"
#include "report/font_substitutes.h"
#include "report/qt_printer_device.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPageSize>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace mirte;

namespace {

std::vector<QImage> LoadPictures(const QString& dir, int count) {
    std::vector<QImage> pictures;
    const QStringList names =
        QDir(dir).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    for (int i = 0; i < count && !names.isEmpty(); ++i) {
        QImage image(QDir(dir).filePath(names[i % names.size()]));
        if (image.width() > 512 || image.height() > 512) {
            image = image.scaled(512, 512, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        // A picture of its own per cell, as a print job has (no sharing between cells).
        pictures.push_back(image.convertToFormat(QImage::Format_RGB32));
    }
    return pictures;
}

double MedianMs(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    InstallFontSubstitutes();
    const QString photoDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    cli::DemoOptions options;
    options.Cols = 10;
    options.Rows = 10;
    options.Pictures = 2000;
    options.PictureSize = QSize(512, 384);
    QElapsedTimer timer;
    timer.start();
    std::vector<QImage> pictures =
        photoDir.isEmpty() ? std::vector<QImage>() : LoadPictures(photoDir, options.Pictures);
    auto report = pictures.empty()
                      ? std::make_unique<cli::DemoReport>(options)
                      : std::make_unique<cli::DemoReport>(options, std::move(pictures));
    std::printf("pictures: %d, %s, ready in %lld ms\n", options.Pictures,
                photoDir.isEmpty() ? "generated" : qUtf8Printable(photoDir),
                static_cast<long long>(timer.elapsed()));

    for (int scale : {2, 3}) {
        std::vector<double> samples;
        QSize size;
        for (int i = 0; i < 9; ++i) {
            timer.restart();
            const QImage page = report->Preview(1 + i % 3, scale);
            samples.push_back(timer.nsecsElapsed() / 1e6);
            size = page.size();
        }
        std::printf("preview page, 100 cells, scale %d (%d x %d): median %.1f ms\n", scale,
                    size.width(), size.height(), MedianMs(samples));
    }

    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("report.pdf"));
    auto printer = TQtPrinterDevice::ForPdfFile(pdf, QPageSize(QPageSize::A4));
    report->Page().SetPrinter(printer.get());
    timer.restart();
    report->Print();
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("PDF, %d pages of 100 pictures at %d dpi: %.2f s, %.1f MB\n", report->PageCount(),
                1200, seconds, QFileInfo(pdf).size() / 1e6);
    return 0;
}
