// The demonstration report through the whole chain: printed by Qt's PDF output at 1200 dots per
// inch and rasterised by poppler, against the preview image of the same page at scale 2. Both
// are one walk of one tree, so their frame lines must lie within a design pixel of each other.
#include "support/temp_folder.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace mirte::test;

namespace {

int RunProgram(const QString& program, const QStringList& args, QString* output = nullptr) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(120000)) {
        return -1;
    }
    if (output != nullptr) {
        *output =
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool IsLineInk(QRgb c) {
    return qRed(c) < 128 && qGreen(c) < 128 && qBlue(c) < 128;
}

// The centres of the long straight lines of a page: rows (or columns) of which more than
// `share` of the pixels are near black, merged where they touch.
std::vector<double> LineCentres(const QImage& image, bool rows, double share) {
    const int count = rows ? image.height() : image.width();
    const int length = rows ? image.width() : image.height();
    std::vector<double> centres;
    int runStart = -1;
    for (int i = 0; i <= count; ++i) {
        bool line = false;
        if (i < count) {
            int ink = 0;
            for (int j = 0; j < length; ++j) {
                ink += IsLineInk(rows ? image.pixel(j, i) : image.pixel(i, j)) ? 1 : 0;
            }
            line = ink > share * length;
        }
        if (line && runStart < 0) {
            runStart = i;
        } else if (!line && runStart >= 0) {
            centres.push_back((runStart + i - 1) / 2.0);
            runStart = -1;
        }
    }
    return centres;
}

void ExpectSameLines(const std::vector<double>& printed, const std::vector<double>& previewed,
                     const char* what) {
    ASSERT_EQ(printed.size(), previewed.size()) << what;
    for (std::size_t i = 0; i < printed.size(); ++i) {
        // One design pixel is two pixels at scale 2.
        EXPECT_LE(std::abs(printed[i] - previewed[i]), 2.0)
            << what << " line " << i << ": printed " << printed[i] << ", preview " << previewed[i];
    }
}

} // namespace

TEST(CliRenderDemo, PrintAndPreviewAgreeLineForLine) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    TempFolder dir;
    const QString pdf = dir.Path() + QStringLiteral("/demo.pdf");
    const QString png = dir.Path() + QStringLiteral("/preview.png");
    QString out;
    ASSERT_EQ(RunProgram(QStringLiteral(MIRTE_CLI), {"render-demo", pdf}, &out), 0)
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("2 pages"))) << out.toStdString();
    ASSERT_EQ(
        RunProgram(QStringLiteral(MIRTE_CLI), {"render-demo", "--png", "--scale", "2", png}, &out),
        0)
        << out.toStdString();
    // 192 dots per inch: two device pixels per design pixel, like the preview.
    ASSERT_EQ(RunProgram(QStringLiteral("pdftoppm"),
                         {"-r", "192", "-png", "-f", "1", "-l", "1", "-singlefile", pdf,
                          dir.Path() + QStringLiteral("/printed")}),
              0);
    const QImage printed(dir.Path() + QStringLiteral("/printed.png"));
    const QImage preview(png);
    ASSERT_FALSE(printed.isNull());
    ASSERT_FALSE(preview.isNull());
    EXPECT_LE(std::abs(printed.width() - preview.width()), 1);
    EXPECT_LE(std::abs(printed.height() - preview.height()), 1);

    // The pictures went into the PDF at their own size (640 x 480, turned or not), never
    // enlarged to the printer's resolution; only where that would be more than 300 pixels per
    // printed inch are they reduced to that.
    QString images;
    ASSERT_EQ(RunProgram(QStringLiteral("pdfimages"), {"-list", pdf}, &images), 0);
    int ownSize = 0;
    for (const QString& line : images.split(QLatin1Char('\n')).mid(2)) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        if (f.size() > 4 && f[2] == QLatin1String("image")) {
            const int longSide = std::max(f[3].toInt(), f[4].toInt());
            EXPECT_LE(longSide, 640) << line.toStdString();
            if (longSide == 640) {
                ++ownSize;
            } else {
                EXPECT_LE(f[12].toInt(), 301) << line.toStdString();
            }
        }
    }
    EXPECT_GE(ownSize, 10) << images.toStdString(); // the landscape ones fit at their own size

    const auto printedRows = LineCentres(printed, true, 0.6);
    const auto previewRows = LineCentres(preview, true, 0.6);
    EXPECT_GE(previewRows.size(), 8u); // the title's double line and the grid's frames
    ExpectSameLines(printedRows, previewRows, "horizontal");
    const auto printedColumns = LineCentres(printed, false, 0.5);
    const auto previewColumns = LineCentres(preview, false, 0.5);
    EXPECT_GE(previewColumns.size(), 6u);
    ExpectSameLines(printedColumns, previewColumns, "vertical");
}

TEST(CliRenderDemo, RefusesBadArgumentsAndUnwritableTargets) {
    QString out;
    EXPECT_EQ(RunProgram(QStringLiteral(MIRTE_CLI), {"render-demo"}, &out), 2);
    EXPECT_EQ(
        RunProgram(QStringLiteral(MIRTE_CLI), {"render-demo", "--png", "--scale", "0", "x.png"}),
        2);
    EXPECT_EQ(RunProgram(QStringLiteral(MIRTE_CLI), {"render-demo", "/nonexistent/folder/demo.pdf"},
                         &out),
              1);
    EXPECT_TRUE(out.contains(QStringLiteral("印刷を開始できませんでした．"))) << out.toStdString();
    EXPECT_EQ(RunProgram(QStringLiteral(MIRTE_CLI), {"render-demo", "--png", "/nonexistent/p.png"}),
              1);
}
