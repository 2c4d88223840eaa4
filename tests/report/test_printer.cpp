#include "fake_printer_device.h"
#include "pdf_device_checks.h"
#include "report/pdf_writer_device.h"
#include "report/printer_measure.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QPainter>
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

// ---- the PDF writer ---------------------------------------------------------------------------

namespace {

std::unique_ptr<TPrinterDevice> PdfWriter(const QString& path) {
    return std::make_unique<TPdfWriterDevice>(path, QPageSize(QPageSize::A4));
}

} // namespace

TEST(PdfWriter, MeasuresAsItsPaperAndTurnsKeepingIt) {
    mirte::test::CheckMeasuresAsItsPaperAndTurnsKeepingIt(PdfWriter);
    TPdfWriterDevice device(QStringLiteral("x.pdf"), QPageSize(QPageSize::Letter));
    EXPECT_EQ(GetPrintableRect(device), GetPaperRect(device)); // the whole sheet
    ASSERT_TRUE(device.SetPaper(QPageSize(QPageSize::A4), TPrinterOrientation::poLandscape));
    EXPECT_EQ(GetPaperRect(device), (TReportRect{0, 0, 1123, 793}));
    device.RestoreDefaults();
    EXPECT_EQ(GetPaperRect(device), (TReportRect{0, 0, 816, 1056}));
}

TEST(PdfWriter, PrintsPagesAndAnAbortedJobLeavesNothing) {
    mirte::test::CheckPrintsPagesAndAnAbortedJobLeavesNothing(PdfWriter);
}

TEST(PdfWriter, AFileThatCannotBeWrittenSaysWhy) {
    mirte::test::CheckAFileThatCannotBeWrittenSaysWhy(PdfWriter);
}
