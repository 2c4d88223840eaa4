// The page and its panels: docking, the grid's cells and events, placement, the print and
// preview state machine with its page range, the scale and the shift by the printer's offset.
#include "fake_printer_device.h"
#include "report/lr_error.h"
#include "report/lr_page.h"
#include "report/lr_panels.h"
#include "report/lr_text_item.h"

#include <gtest/gtest.h>

namespace mirte {
namespace {

using test::FakePrinterDevice;

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ELRError& e) {
        return e.Message();
    }
    return QString();
}

TEST(ReportPage, PaperAndOrientationSetTheExtentAndResizesSnapBack) {
    VUvudiRoz page;
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 1123);
    page.SetBounds(0, 0, 500, 500);
    EXPECT_EQ(page.Width(), 794);
    page.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(page.Width(), 1123);
    EXPECT_EQ(page.Height(), 794);
    page.SetBounds(0, 0, 10, 10);
    EXPECT_EQ(page.Width(), 1123);
    page.SetPaperSize(TPaperSize::psB5);
    EXPECT_EQ(page.Width(), 971);
    EXPECT_EQ(page.Height(), 688);
    page.SetPaperSize(TPaperSize::psNone);
    page.SetBounds(0, 0, 640, 480);
    EXPECT_EQ(page.Width(), 640);
    EXPECT_EQ(page.Height(), 480);
}

TEST(ReportPage, MarginsBelowOneOrFromHalfTheWidthAreIgnored) {
    VUvudiRoz page; // 794 wide: the limit is 396
    page.SetMarginLeft(0);
    EXPECT_EQ(page.MarginLeft(), 36);
    page.SetMarginLeft(-5);
    EXPECT_EQ(page.MarginLeft(), 36);
    page.SetMarginRight(397);
    EXPECT_EQ(page.MarginRight(), 36);
    page.SetMarginBottom(396);
    EXPECT_EQ(page.MarginBottom(), 396);
    page.SetOrientation(TPrinterOrientation::poLandscape); // 1123 wide: 561 is half
    page.SetMarginTop(561);
    EXPECT_EQ(page.MarginTop(), 36);
    page.SetMarginTop(560);
    EXPECT_EQ(page.MarginTop(), 560);
}

TEST(ReportPage, DockingFollowsTheStandardOrder) {
    VUvudiRoz page;
    page.SetOrientation(TPrinterOrientation::poLandscape);
    auto* base = TLRControl::Create<TLRLayoutPanel>(&page);
    base->SetLRAlign(TLRAlign::laClient);
    EXPECT_EQ(base->BoundsRect(), (TEdgeRect{37, 37, 37 + 1049, 37 + 720}));

    // Top bands stack in the order of their stored top edges, whatever order they were placed
    // in, when the report is built with docking held back (as a form is loaded).
    base->DisableAlign();
    auto* second = TLRControl::Create<TLRLayoutPanel>(base);
    second->SetBounds(0, 50, 10, 30);
    auto* first = TLRControl::Create<TLRLayoutPanel>(base);
    first->SetBounds(0, 10, 10, 20);
    auto* bottom = TLRControl::Create<TLRLayoutPanel>(base);
    bottom->SetLRAlign(TLRAlign::laBottom);
    bottom->SetHeight(40);
    auto* left = TLRControl::Create<TLRLayoutPanel>(base);
    left->SetLRAlign(TLRAlign::laLeft);
    left->SetWidth(100);
    auto* right = TLRControl::Create<TLRLayoutPanel>(base);
    right->SetLRAlign(TLRAlign::laRight);
    right->SetWidth(60);
    auto* fill = TLRControl::Create<TLRLayoutPanel>(base);
    fill->SetLRAlign(TLRAlign::laClient);
    base->EnableAlign();

    EXPECT_EQ(first->BoundsRect(), (TEdgeRect{0, 0, 1049, 20}));
    EXPECT_EQ(second->BoundsRect(), (TEdgeRect{0, 20, 1049, 50}));
    EXPECT_EQ(bottom->BoundsRect(), (TEdgeRect{0, 680, 1049, 720}));
    EXPECT_EQ(left->BoundsRect(), (TEdgeRect{0, 50, 100, 680}));
    EXPECT_EQ(right->BoundsRect(), (TEdgeRect{989, 50, 1049, 680}));
    EXPECT_EQ(fill->BoundsRect(), (TEdgeRect{100, 50, 989, 680}));
    EXPECT_EQ(fill->LRAlign(), TLRAlign::laClient);

    // A wider margin lays everything out again.
    page.SetMarginLeft(100);
    EXPECT_EQ(base->BoundsRect(), (TEdgeRect{101, 37, 101 + 985, 37 + 720}));
    EXPECT_EQ(right->BoundsRect(), (TEdgeRect{925, 50, 985, 680}));
}

TEST(ReportPlacement, EachKindSitsOnlyWhereItBelongs) {
    VUvudiRoz page;
    auto* layout = TLRControl::Create<TLRLayoutPanel>(&page);
    auto* grid = TLRControl::Create<TLRGridPanel>(layout);
    // A grid given as parent means its template.
    auto* cellItem = TLRControl::Create<TLRItem>(grid);
    EXPECT_EQ(cellItem->Parent(), &grid->Template());
    auto* cellPanel = TLRControl::Create<TLRLayoutPanel>(grid);
    EXPECT_EQ(cellPanel->Parent(), &grid->Template());

    EXPECT_EQ(ErrorOf([&] { TLRControl::Create<TLRItem>(&page); }),
              QStringLiteral("パネル上にのみ配置できます．"));
    EXPECT_EQ(ErrorOf([&] { TLRControl::Create<TLRGridPanel>(grid); }),
              QStringLiteral("VUvudiRoz上かTLRLayoutPanelにのみ配置できます．"));
    EXPECT_EQ(ErrorOf([&] { TLRControl::Create<TLRLayoutPanel>(cellItem); }),
              QStringLiteral("VUvudiRoz上かTLRLayoutPanelにのみ配置できます．"));
    EXPECT_EQ(ErrorOf([&] { TLRControl::Create<TLRSubPanel>(layout); }),
              QStringLiteral("VUvudiRoz上には配置できません．"));
    EXPECT_EQ(ErrorOf([&] { TLRControl::Create<VUvudiRoz>(layout); }),
              QStringLiteral("フォーム上にのみ配置できます．"));

    // A refused move leaves the control where it was.
    EXPECT_EQ(ErrorOf([&] { cellItem->SetParent(&page); }),
              QStringLiteral("パネル上にのみ配置できます．"));
    EXPECT_EQ(cellItem->Parent(), &grid->Template());
    cellItem->SetParent(layout);
    EXPECT_EQ(cellItem->Parent(), layout);
}

TEST(ReportGrid, CountsNeedTenPixelCellsAndKeepTheirValueOnError) {
    VUvudiRoz page;
    auto* grid = TLRControl::Create<TLRGridPanel>(&page);
    grid->SetAlign(TAlign::alNone);
    grid->SetBounds(0, 0, 99, 99);
    EXPECT_EQ(ErrorOf([&] { grid->SetColCount(10); }),
              QStringLiteral("列数が有効範囲を超えています．"));
    EXPECT_EQ(grid->ColCount(), 1);
    grid->SetColCount(9);
    EXPECT_EQ(grid->ColCount(), 9);
    EXPECT_EQ(ErrorOf([&] { grid->SetRowCount(0); }),
              QStringLiteral("行数が有効範囲を超えています．"));
    EXPECT_EQ(ErrorOf([&] { grid->SetRowCount(-3); }),
              QStringLiteral("行数が有効範囲を超えています．"));
    grid->SetRowCount(3);
    // The template takes the first cell; sub panels follow its size.
    EXPECT_EQ(grid->Template().BoundsRect(), (TEdgeRect{0, 0, 11, 33}));
    auto sub = std::make_unique<TLRSubPanel>();
    sub->SetBounds(5, 6, 70, 70);
    sub->SetGridPanel(grid);
    EXPECT_EQ(sub->BoundsRect(), (TEdgeRect{5, 6, 16, 39}));
    sub->SetBounds(7, 8, 200, 200); // moving works, resizing does not
    EXPECT_EQ(sub->BoundsRect(), (TEdgeRect{7, 8, 18, 41}));
    grid->SetWidth(198);
    EXPECT_EQ(sub->Width(), 22);
    sub->SetGridPanel(nullptr);
    EXPECT_TRUE(grid->SubPanels().empty());
}

TEST(ReportGrid, SubPanelsOutliveOrPrecedeTheirGridSafely) {
    auto sub = std::make_unique<TLRSubPanel>();
    {
        VUvudiRoz page;
        auto* grid = TLRControl::Create<TLRGridPanel>(&page);
        sub->SetGridPanel(grid);
        EXPECT_EQ(grid->SubPanels().size(), 1u);
    }
    EXPECT_EQ(sub->GridPanel(), nullptr);
    VUvudiRoz page;
    auto* grid = TLRControl::Create<TLRGridPanel>(&page);
    sub->SetGridPanel(grid);
    sub.reset();
    EXPECT_TRUE(grid->SubPanels().empty());
}

struct CellVisit {
    int col;
    int row;
    TEdgeRect rect;
    bool operator==(const CellVisit&) const = default;
};

std::vector<CellVisit> VisitCells(TPrintDirection direction, int width, int cols, int rows) {
    VUvudiRoz page;
    auto* grid = TLRControl::Create<TLRGridPanel>(&page);
    grid->SetAlign(TAlign::alNone);
    grid->SetBounds(10, 20, width, 100);
    grid->SetColCount(cols);
    grid->SetRowCount(rows);
    grid->PrintDirection = direction;
    std::vector<CellVisit> visits;
    grid->OnPrintPanel = [&](TLRControl*, int col, int row, const TEdgeRect& rect, TPrintStatus&) {
        visits.push_back({col, row, rect});
    };
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    page.PreviewPage(painter);
    return visits;
}

TEST(ReportGrid, CellsTileTheGridInTheChosenDirection) {
    const auto across = VisitCells(TPrintDirection::pdHorz, 389, 4, 1);
    ASSERT_EQ(across.size(), 4u);
    const int starts[] = {0, 97, 194, 291};
    const int widths[] = {97, 97, 97, 98};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(across[i].rect.Left, 10 + starts[i]);
        EXPECT_EQ(across[i].rect.Width(), widths[i]);
        EXPECT_EQ(across[i].rect.Top, 20);
        EXPECT_EQ(across[i].rect.Height(), 100);
    }
    auto order = [](const std::vector<CellVisit>& v) {
        std::vector<std::pair<int, int>> o;
        for (const auto& c : v) {
            o.emplace_back(c.col, c.row);
        }
        return o;
    };
    using Order = std::vector<std::pair<int, int>>;
    EXPECT_EQ(order(VisitCells(TPrintDirection::pdVert, 100, 2, 2)),
              (Order{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_EQ(order(VisitCells(TPrintDirection::pdHorz, 100, 2, 2)),
              (Order{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
    EXPECT_EQ(order(VisitCells(TPrintDirection::pdHolz, 100, 2, 2)),
              (Order{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
}

// An item that writes down when and with what it was printed.
class RecordingItem : public TCustomLRItem {
public:
    std::vector<std::string>* Log = nullptr;
    std::string Name;
    void PrintItem(TLRCanvas&, const TEdgeRect& rect, TPrintStatus status, double) override {
        Log->push_back(Name + ":" + std::to_string(rect.Left) + ":" +
                       std::to_string(static_cast<int>(status)));
    }
};

TEST(ReportWalk, ItemsBeforePanelsAndStatusFromTheEvents) {
    VUvudiRoz page;
    std::vector<std::string> log;
    auto* band = TLRControl::Create<TLRLayoutPanel>(&page);
    auto* inner = TLRControl::Create<TLRLayoutPanel>(band); // placed before the item
    auto* innerItem = TLRControl::Create<RecordingItem>(inner);
    innerItem->Log = &log;
    innerItem->Name = "inner";
    auto* item = TLRControl::Create<RecordingItem>(band);
    item->Log = &log;
    item->Name = "item";
    item->SetBounds(5, 0, 10, 10);
    band->AfterPrint = [&](TLRControl*) { log.push_back("after"); };

    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    page.PreviewPage(painter);
    EXPECT_EQ(log, (std::vector<std::string>{"item:42:0", "inner:37:0", "after"}));

    // Skip: neither children nor AfterPrint.
    log.clear();
    band->BeforePrint = [](TLRControl*, const TEdgeRect&, TPrintStatus& s) {
        s = TPrintStatus::stSkip;
    };
    page.PreviewPage(painter);
    EXPECT_TRUE(log.empty());

    // Lines only reaches the items of this panel, not the panels inside (they start afresh).
    band->BeforePrint = [](TLRControl*, const TEdgeRect&, TPrintStatus& s) {
        s = TPrintStatus::stLinesOnly;
    };
    page.PreviewPage(painter);
    EXPECT_EQ(log, (std::vector<std::string>{"item:42:1", "inner:37:0", "after"}));

    // A disabled child is passed over.
    log.clear();
    item->SetEnabled(false);
    page.PreviewPage(painter);
    EXPECT_EQ(log, (std::vector<std::string>{"inner:37:0", "after"}));
}

TEST(ReportWalk, GridCellEventsDecideEachCell) {
    VUvudiRoz page;
    std::vector<std::string> log;
    auto* grid = TLRControl::Create<TLRGridPanel>(&page);
    grid->SetColCount(3);
    auto* item = TLRControl::Create<RecordingItem>(grid);
    item->Log = &log;
    item->Name = "cell";
    grid->OnPrintPanel = [](TLRControl*, int col, int, const TEdgeRect&, TPrintStatus& s) {
        if (col == 1) {
            s = TPrintStatus::stSkip;
        }
    };
    grid->BeforePrintPanel() = [](TLRControl* sender, const TEdgeRect& rect, TPrintStatus& s) {
        if (rect.Left > 300) {
            s = TPrintStatus::stLinesOnly;
        }
        EXPECT_NE(dynamic_cast<TLRChildPanel*>(sender), nullptr);
    };
    int afterCells = 0;
    grid->AfterPrintPanel() = [&](TLRControl*) { ++afterCells; };
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    page.PreviewPage(painter);
    // 720 wide from 37: cells at 37, 277, 517.
    EXPECT_EQ(log, (std::vector<std::string>{"cell:37:0", "cell:517:1"}));
    EXPECT_EQ(afterCells, 2);
}

TEST(ReportJob, PrintScaleAndTheShiftByThePrintersOffset) {
    FakePrinterDevice printer; // 600 dpi, offsets of 100 dots
    VUvudiRoz page;
    page.SetPrinter(&printer);
    auto* band = TLRControl::Create<TLRLayoutPanel>(&page);
    TEdgeRect seen;
    band->BeforePrint = [&](TLRControl*, const TEdgeRect& rect, TPrintStatus&) { seen = rect; };
    page.Title = QStringLiteral("見本");
    page.BeginDoc();
    EXPECT_EQ(printer.Title, QStringLiteral("見本"));
    EXPECT_EQ(printer.Paper.id(), QPageSize::A4);
    page.PrintPage();
    EXPECT_DOUBLE_EQ(page.PrintScale(), 6.25);
    EXPECT_EQ(seen.Left, 37 - 16);
    EXPECT_EQ(seen.Top, 37 - 16);
    page.EndDoc();
    EXPECT_EQ(page.State(), TReportState::rsIdle);

    // A device that cannot be asked: scale 1, no shift.
    printer.Answers = false;
    page.BeginDoc();
    page.PrintPage();
    EXPECT_DOUBLE_EQ(page.PrintScale(), 1.0);
    EXPECT_EQ(seen.Left, 37);
    page.EndDoc();
}

TEST(ReportJob, PageRangesUseTheScratchTargetAndIssueOnlyTheirSheets) {
    FakePrinterDevice printer;
    VUvudiRoz page;
    page.SetPrinter(&printer);
    auto* band = TLRControl::Create<TLRLayoutPanel>(&page);
    std::vector<std::pair<int, bool>> pages; // page number, on the printer
    band->BeforePrint = [&](TLRControl*, const TEdgeRect&, TPrintStatus&) {
        pages.emplace_back(page.PageNumber(), page.Canvas()->IsPrinter);
    };
    auto run = [&](int pageCount) {
        pages.clear();
        page.BeginDoc();
        for (int i = 1; i <= pageCount; ++i) {
            page.PrintPage();
            if (i < pageCount) {
                page.NewPage();
            }
        }
        page.EndDoc();
    };

    page.FirstPage = 3;
    run(5);
    EXPECT_EQ(pages, (std::vector<std::pair<int, bool>>{
                         {1, false}, {2, false}, {3, true}, {4, true}, {5, true}}));
    EXPECT_EQ(printer.NewPages, 2);
    EXPECT_EQ(printer.Pages.size(), 3u);
    EXPECT_FALSE(page.HasScratchBitmap());

    page.FirstPage = 0;
    page.LastPage = 2;
    page.BeginDoc();
    EXPECT_TRUE(page.HasScratchBitmap());
    page.Abort();
    run(4);
    EXPECT_EQ(pages,
              (std::vector<std::pair<int, bool>>{{1, true}, {2, true}, {3, false}, {4, false}}));
    EXPECT_EQ(printer.NewPages, 1);
    EXPECT_EQ(printer.Pages.size(), 2u);

    page.FirstPage = 2;
    page.LastPage = 1;
    EXPECT_EQ(ErrorOf([&] { page.BeginDoc(); }),
              QStringLiteral("印刷ページ範囲が正しくありません．"));
    EXPECT_EQ(page.LastPage, 2);
    EXPECT_EQ(page.State(), TReportState::rsIdle);
    EXPECT_FALSE(printer.Printing());
}

TEST(ReportJob, TheStateMachineRefusesWhatDoesNotFit) {
    FakePrinterDevice printer;
    VUvudiRoz page;
    page.SetPrinter(&printer);
    EXPECT_EQ(ErrorOf([&] { page.PrintPage(); }),
              QStringLiteral("BeginDocが呼び出されていません．"));
    page.BeginPreview();
    EXPECT_EQ(page.State(), TReportState::rsPreviewing);
    page.BeginDoc(); // ends the preview
    EXPECT_EQ(page.State(), TReportState::rsPrinting);
    EXPECT_EQ(ErrorOf([&] { page.BeginDoc(); }), QStringLiteral("プリンタは印刷中です．"));
    EXPECT_EQ(ErrorOf([&] { page.BeginPreview(); }),
              QStringLiteral("プリンタが印刷中のため、プレビューを開始できません．"));
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_EQ(ErrorOf([&] { page.PreviewPage(painter); }),
              QStringLiteral("プリンタが印刷中のため、プレビューを開始できません．"));
    EXPECT_EQ(page.State(), TReportState::rsPrinting);
    page.Abort();
    EXPECT_EQ(page.State(), TReportState::rsIdle);
    EXPECT_FALSE(printer.Printing());

    page.PreviewScale = 0;
    page.PreviewPage(painter);
    EXPECT_EQ(page.State(), TReportState::rsPreviewing);
    EXPECT_DOUBLE_EQ(page.PrintScale(), 1.0);
    EXPECT_EQ(page.PageNumber(), 1);
    page.EndPreview();
    EXPECT_EQ(page.PageNumber(), 0);
}

TEST(ReportJob, PaperSetUpAndPrinterChanges) {
    FakePrinterDevice printer;
    VUvudiRoz page;
    page.SetPrinter(&printer);
    page.SetOrientation(TPrinterOrientation::poLandscape);
    page.BeginDoc();
    page.EndDoc();
    EXPECT_EQ(printer.Orientation(), TPrinterOrientation::poLandscape);
    EXPECT_EQ(printer.Restored, 0);

    // Another printer since the last job starts from its defaults before the paper goes in.
    printer.PrinterName = QStringLiteral("another printer");
    printer.Scale = 50;
    page.BeginDoc();
    page.EndDoc();
    EXPECT_EQ(printer.Restored, 1);
    EXPECT_EQ(printer.Scale, 100);
    EXPECT_EQ(printer.Orientation(), TPrinterOrientation::poLandscape);

    // psNone leaves the printer to the report.
    int asked = 0;
    page.OnSetPrinter = [&](VUvudiRoz* sender) {
        EXPECT_EQ(sender, &page);
        ++asked;
    };
    page.SetPaperSize(TPaperSize::psNone);
    printer.Paper = QPageSize(QPageSize::Letter);
    page.BeginDoc();
    page.EndDoc();
    page.BeginDoc();
    page.EndDoc();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(printer.Paper.id(), QPageSize::Letter);

    page.SetPaperSize(TPaperSize::psA4);
    printer.AcceptsPaper = false;
    EXPECT_EQ(ErrorOf([&] { page.BeginDoc(); }),
              QStringLiteral("用紙設定時にエラーが発生しました．"));
    EXPECT_EQ(page.State(), TReportState::rsIdle);
}

TEST(ReportJob, AThrowingHandlerEndsThePageAndTheJobIsStillEnded) {
    FakePrinterDevice printer;
    {
        VUvudiRoz page;
        page.SetPrinter(&printer);
        auto* band = TLRControl::Create<TLRLayoutPanel>(&page);
        band->BeforePrint = [](TLRControl*, const TEdgeRect&, TPrintStatus&) {
            throw std::runtime_error("no data");
        };
        page.BeginDoc();
        EXPECT_THROW(page.PrintPage(), std::runtime_error);
        EXPECT_EQ(page.State(), TReportState::rsPrinting);
        EXPECT_EQ(page.PageNumber(), 1);
        EXPECT_TRUE(printer.Printing());
    } // the page goes away in the middle of the job
    EXPECT_FALSE(printer.Printing());
}

} // namespace
} // namespace mirte
