#pragma once

// What a printer that writes PDF files must do, checked for each such device: the report
// engine's PDF writer (test_report) and Qt's printer (test_qt_printer).
#include "report/printer_device.h"
#include "report/printer_measure.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace mirte::test {

// An A4 PDF file at 1200 dots per inch at this path.
using PdfDeviceFactory = std::function<std::unique_ptr<TPrinterDevice>(const QString& path)>;

inline void CheckMeasuresAsItsPaperAndTurnsKeepingIt(const PdfDeviceFactory& make) {
    TempFolder dir;
    auto printer = make(dir.File("out.pdf"));
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

inline void CheckPrintsPagesAndAnAbortedJobLeavesNothing(const PdfDeviceFactory& make) {
    TempFolder dir;
    const QString path = dir.File("two pages.pdf");
    auto printer = make(path);
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
    auto aborted = make(dir.File("aborted.pdf"));
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

inline void CheckAFileThatCannotBeWrittenSaysWhy(const PdfDeviceFactory& make) {
    auto nowhere = make(QStringLiteral("/nonexistent/folder/out.pdf"));
    EXPECT_FALSE(nowhere->BeginDoc());
    EXPECT_TRUE(nowhere->LastError().contains(QStringLiteral("/nonexistent/folder/out.pdf")));
    EXPECT_FALSE(nowhere->Printing());
}

} // namespace mirte::test
