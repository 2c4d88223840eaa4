// Qt's printer: PDF files as every PDF device must write them, and the queues of the print
// system (CUPS here), which take a finished job and never an aborted one.
#include "pdf_device_checks.h"
#include "report/qt_printer_device.h"

#include <QPrinterInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace mirte;

namespace {

std::unique_ptr<TPrinterDevice> QtPdf(const QString& path) {
    return TQtPrinterDevice::ForPdfFile(path, QPageSize(QPageSize::A4));
}

} // namespace

TEST(QtPrinter, APdfFileMeasuresAsItsPaperAndTurnsKeepingIt) {
    mirte::test::CheckMeasuresAsItsPaperAndTurnsKeepingIt(QtPdf);
}

TEST(QtPrinter, PrintsPagesIntoAPdfAndAnAbortedJobLeavesNothing) {
    mirte::test::CheckPrintsPagesAndAnAbortedJobLeavesNothing(QtPdf);
}

TEST(QtPrinter, AJobThatCannotBeWrittenOrHasNoQueueSaysWhy) {
    mirte::test::CheckAFileThatCannotBeWrittenSaysWhy(QtPdf);
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
