#include "fake_printer_device.h"
#include "report/printer_measure.h"
#include "report/qt_printer_device.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinterInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace mirte;
using mirte::test::FakePrinterDevice;

TEST(PrinterMeasure, AnA4PrinterAt600DotsInBothOrientations) {
    FakePrinterDevice printer;
    EXPECT_FLOAT_EQ(GetPrinterScale(printer), 1.0f);
    EXPECT_EQ(GetPaperRect(printer), (TReportRect{0, 0, 794, 1123}));
    EXPECT_EQ(GetPrintableRect(printer), (TReportRect{16, 16, 778, 1107}));
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(GetPaperRect(printer), (TReportRect{0, 0, 1123, 794}));
    EXPECT_EQ(GetPrintableRect(printer), (TReportRect{16, 16, 1107, 778}));
}

TEST(PrinterMeasure, AHalfScaleDoublesEverySizeAndNoScaleCountsAsWhole) {
    FakePrinterDevice printer;
    printer.Scale = 50;
    EXPECT_FLOAT_EQ(GetPrinterScale(printer), 0.5f);
    EXPECT_EQ(GetPaperRect(printer), (TReportRect{0, 0, 1587, 2245}));
    EXPECT_EQ(GetPrintableRect(printer), (TReportRect{32, 32, 32 + 1523, 32 + 2181}));
    for (const int none : {0, -20}) {
        printer.Scale = none;
        EXPECT_FLOAT_EQ(GetPrinterScale(printer), 1.0f);
        EXPECT_EQ(GetPaperRect(printer), (TReportRect{0, 0, 794, 1123}));
    }
    printer.Answers = false;
    EXPECT_EQ(GetPaperRect(printer), TReportRect{});
    EXPECT_EQ(GetPrintableRect(printer), TReportRect{});
}

TEST(QtPrinter, APdfFileMeasuresAsItsPaperAndTurnsKeepingIt) {
    mirte::test::TempFolder dir;
    auto printer = TQtPrinterDevice::ForPdfFile(dir.File("out.pdf"), QPageSize(QPageSize::A4));
    TPrinterMetrics metrics;
    ASSERT_TRUE(printer->Metrics(metrics));
    EXPECT_EQ(metrics.DpiX, 1200);
    EXPECT_EQ(metrics.PhysicalWidth, 9917);
    EXPECT_EQ(metrics.PhysicalHeight, 14033);
    // Qt's A4 at 1200 dpi is 9917 dots wide (209.9 mm), which measures 793 report units.
    EXPECT_EQ(GetPaperRect(*printer), (TReportRect{0, 0, 793, 1123}));
    printer->SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(printer->Orientation(), TPrinterOrientation::poLandscape);
    EXPECT_EQ(GetPaperRect(*printer), (TReportRect{0, 0, 1123, 793}));
    const TReportRect printable = GetPrintableRect(*printer);
    EXPECT_GE(printable.Left, 0);
    EXPECT_LE(printable.Right, 1123);
}

TEST(QtPrinter, PrintsPagesIntoAPdfAndAnAbortedJobEnds) {
    mirte::test::TempFolder dir;
    const QString path = dir.File("two pages.pdf");
    auto printer = TQtPrinterDevice::ForPdfFile(path, QPageSize(QPageSize::A4));
    printer->SetTitle(QStringLiteral("ミルテ印刷テスト"));
    EXPECT_FALSE(printer->NewPage()); // no job yet
    ASSERT_TRUE(printer->BeginDoc());
    EXPECT_FALSE(printer->BeginDoc()); // one job at a time
    ASSERT_NE(printer->Painter(), nullptr);
    printer->Painter()->drawRect(100, 100, 1000, 1000);
    ASSERT_TRUE(printer->NewPage());
    printer->Painter()->drawText(200, 200, QStringLiteral("二ページ目"));
    ASSERT_TRUE(printer->EndDoc());
    EXPECT_FALSE(printer->Printing());
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Count 2"));

    // An aborted job leaves no file, nor a half-written one beside it.
    auto aborted = TQtPrinterDevice::ForPdfFile(dir.File("aborted.pdf"), QPageSize(QPageSize::A4));
    ASSERT_TRUE(aborted->BeginDoc());
    aborted->Painter()->drawRect(100, 100, 1000, 1000);
    aborted->Abort();
    EXPECT_FALSE(aborted->Printing());
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("two pages.pdf")});
    EXPECT_TRUE(aborted->BeginDoc()); // the device can start again
    EXPECT_TRUE(aborted->EndDoc());
    EXPECT_TRUE(QFile::exists(dir.File("aborted.pdf")));
}

TEST(QtPrinter, AJobThatCannotBeWrittenOrHasNoQueueSaysWhy) {
    auto nowhere = TQtPrinterDevice::ForPdfFile(QStringLiteral("/nonexistent/folder/out.pdf"),
                                                QPageSize(QPageSize::A4));
    EXPECT_FALSE(nowhere->BeginDoc());
    EXPECT_TRUE(nowhere->LastError().contains(QStringLiteral("/nonexistent/folder/out.pdf")));
    EXPECT_FALSE(nowhere->Printing());
    auto gone = TQtPrinterDevice::ForPrinter(QStringLiteral("no-such-queue"));
    EXPECT_FALSE(gone->BeginDoc());
    EXPECT_FALSE(gone->LastError().isEmpty());
}

TEST(QtPrinter, AQueueOfThePrintSystemAnswersItsMeasurements) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        GTEST_SKIP() << "no print queue here";
    }
    auto printer = TQtPrinterDevice::ForPrinter(QString());
    TPrinterMetrics metrics;
    ASSERT_TRUE(printer->Metrics(metrics));
    EXPECT_GT(metrics.DpiX, 0);
    const TReportRect paper = GetPaperRect(*printer);
    EXPECT_GT(paper.Right, 700); // A4 or Letter, whatever the queue holds
    EXPECT_GT(paper.Bottom, 1000);
}

namespace {

// The jobs the print system knows of, finished or not: "QUEUE-ID owner size date" lines.
QString Jobs() {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"),
                 {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")});
    lpstat.waitForFinished(10000);
    return QString::fromUtf8(lpstat.readAllStandardOutput());
}

} // namespace

TEST(QtPrinter, AQueueTakesAFinishedJobAndNeverAnAbortedOne) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        GTEST_SKIP() << "no print queue here";
    }
    auto printer = TQtPrinterDevice::ForPrinter(QString());
    printer->SetTitle(QStringLiteral("mirte test"));
    ASSERT_TRUE(printer->BeginDoc());
    printer->Painter()->drawText(200, 200, QStringLiteral("中止"));
    printer->Abort();
    EXPECT_EQ(printer->LastJobId(), 0);
    ASSERT_TRUE(printer->BeginDoc());
    printer->Painter()->drawText(200, 200, QStringLiteral("印刷"));
    ASSERT_TRUE(printer->EndDoc()) << printer->LastError().toStdString();
    ASSERT_GT(printer->LastJobId(), 0);
    EXPECT_TRUE(
        Jobs().contains(QStringLiteral("%1-%2 ").arg(printer->Name()).arg(printer->LastJobId())));
    EXPECT_TRUE(QDir::temp().entryList({QStringLiteral("mirte-job-*")}).isEmpty());
}
