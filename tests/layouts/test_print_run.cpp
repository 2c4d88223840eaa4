// The print run shared by the paged layouts: the page range, the progress and its cancel, and
// failures, each of which ends or aborts the job; the folder's items as the command line lists
// them.
#include "cache/item_facts.h"
#include "cache/sort_keys.h"
#include "layouts_fixture.h"
#include "report/lr_error.h"
#include "support/gtest_qt.h"

#include <gtest/gtest.h>

namespace mirte {
namespace {

using test::IndexCardFixture;

// Records the run's calls; cancels after the page given.
class RecordingProgress : public TPrintProgress {
public:
    int CancelAfter = 0;
    QStringList Calls;
    void Start() override { Calls.append(QStringLiteral("start")); }
    void PagePrinted(int page, int total, int percent) override {
        Calls.append(QStringLiteral("%1/%2 %3%").arg(page).arg(total).arg(percent));
        m_last = page;
    }
    bool CancelRequested() override { return CancelAfter != 0 && m_last >= CancelAfter; }
    void Finish() override { Calls.append(QStringLiteral("finish")); }

private:
    int m_last = 0;
};

// Ten pictures at one per card side: five pages.
void FivePages(IndexCardFixture& f) {
    f.WritePhotos(10);
    f.Form->SetCols(1);
    f.Form->SetRows(1);
    ASSERT_EQ(f.Form->PageCount(), 5);
}

// "1,3" or "2-3,5" as the print dialog lists pages; "" for all.
QPageRanges Pages(const QString& list) {
    QPageRanges pages;
    for (const QString& part : list.split(u',', Qt::SkipEmptyParts)) {
        const QStringList ends = part.split(u'-');
        pages.addRange(ends.first().toInt(), ends.last().toInt());
    }
    return pages;
}

TEST(PrintRun, PrintsExactlyTheListedPagesWithABreakBetweenThem) {
    struct Row {
        QString pages;
        QList<int> printed;
    };
    for (const Row& r : {Row{"", {1, 2, 3, 4, 5}}, Row{"2-3", {2, 3}}, Row{"5", {5}},
                         Row{"1,3", {1, 3}}, Row{"2-3,5", {2, 3, 5}}, Row{"4,9", {4}}}) {
        IndexCardFixture f;
        FivePages(f);
        f.Form->PrintRanges = Pages(r.pages);
        QList<int> printed;
        auto original = f.Form->ThumbnailRightCenter->OnPrintPanel;
        f.Form->ThumbnailRightCenter->OnPrintPanel = [&](TLRControl* s, int c, int row,
                                                         const TEdgeRect& rect, TPrintStatus& st) {
            printed.append(f.Form->CurrentPage);
            original(s, c, row, rect, st);
        };
        RecordingProgress progress;
        EXPECT_TRUE(f.Form->PrintPages(progress));
        EXPECT_EQ(printed, r.printed) << r.pages.toStdString();
        EXPECT_EQ(f.Printer.Pages.size(), size_t(r.printed.size())) << r.pages.toStdString();
        EXPECT_EQ(f.Printer.NewPages, r.printed.size() - 1) << r.pages.toStdString();
        EXPECT_FALSE(f.Printer.Printing());
        EXPECT_EQ(progress.Calls.first(), QStringLiteral("start"));
        EXPECT_EQ(progress.Calls.last(), QStringLiteral("finish"));
    }
}

TEST(PrintRun, CountsThePagesItPrintsAndTheJobTurnsTheReportsWay) {
    IndexCardFixture f;
    FivePages(f);
    f.Form->PrintRanges = Pages("2-3,5");
    f.Printer.SetOrientation(TPrinterOrientation::poPortrait);
    f.Form->ApplyPrinterLayout();
    f.Printer.SetOrientation(TPrinterOrientation::poLandscape);
    f.Form->ApplyPrinterLayout();
    RecordingProgress progress;
    f.Form->PrintPages(progress);
    EXPECT_EQ(progress.Calls, (QStringList{"start", "1/3 33%", "2/3 66%", "3/3 100%", "finish"}));
    EXPECT_EQ(f.Printer.Orientation(), TPrinterOrientation::poLandscape);
    EXPECT_EQ(f.Form->CurrentPage, 5); // the last page printed
    EXPECT_EQ(f.Printer.Title, QStringLiteral("インデックスカード印刷"));
}

TEST(PrintRun, ACancelDuringPageOneAbortsTheJob) {
    IndexCardFixture f;
    FivePages(f);
    RecordingProgress progress;
    progress.CancelAfter = 1;
    EXPECT_FALSE(f.Form->PrintPages(progress));
    EXPECT_EQ(progress.Calls, (QStringList{"start", "1/5 20%", "finish"}));
    EXPECT_TRUE(f.Printer.Pages.empty()); // nothing reached the paper
    EXPECT_EQ(f.Printer.Aborted.size(), 1u);
    EXPECT_FALSE(f.Printer.Printing());
}

TEST(PrintRun, APrinterThatCannotBeSetStartsNoJobAndSaysSo) {
    IndexCardFixture f;
    FivePages(f);
    f.Printer.AcceptsPaper = false;
    RecordingProgress progress;
    try {
        f.Form->PrintPages(progress);
        FAIL() << "no error";
    } catch (const ELRError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("用紙設定ができません!!"));
    }
    EXPECT_EQ(progress.Calls, (QStringList{"start", "finish"}));
    EXPECT_FALSE(f.Printer.Printing());
    EXPECT_TRUE(f.Printer.Pages.empty());
    EXPECT_EQ(f.Form->LightRep().State(), TReportState::rsIdle);
}

TEST(PrintRun, AFailureInTheMiddleAbortsTheJobAndIsRaised) {
    IndexCardFixture f;
    FivePages(f);
    // A cell event that fails on page 3, as a broken engine or printer would.
    auto original = f.Form->ThumbnailRightCenter->OnPrintPanel;
    f.Form->ThumbnailRightCenter->OnPrintPanel = [&](TLRControl* s, int c, int r,
                                                     const TEdgeRect& rect, TPrintStatus& st) {
        if (f.Form->CurrentPage == 3) {
            throw std::runtime_error("printer gone");
        }
        original(s, c, r, rect, st);
    };
    RecordingProgress progress;
    EXPECT_THROW(f.Form->PrintPages(progress), std::runtime_error);
    EXPECT_EQ(progress.Calls.last(), QStringLiteral("finish"));
    EXPECT_TRUE(f.Printer.Pages.empty());
    EXPECT_EQ(f.Printer.Aborted.size(), 3u);
    EXPECT_EQ(f.Form->LightRep().State(), TReportState::rsIdle);
}

TEST(FolderItems, ListsAsTheWindowDoesAndSortsStably) {
    IndexCardFixture f;
    f.Folder.Write(QStringLiteral("b.jpg"), "x");
    f.Folder.Write(QStringLiteral("A.png"), "x");
    f.Folder.Write(QStringLiteral("c.avi"), "RIFF");
    f.Folder.Write(QStringLiteral("notes.txt"), "not listed");
    f.Folder.MakeDir(QStringLiteral("sub.jpg"));
    f.ListFolder();
    ASSERT_EQ(f.Items.Count(), 3);
    QStringList names;
    for (int i = 0; i < f.Items.Count(); ++i) {
        names.append(f.Items.ItemFacts(i).Name);
        EXPECT_EQ(f.Items.ItemFacts(i).FullPath, f.Folder.File(names.last()));
    }
    EXPECT_EQ(names, (QStringList{"A.png", "b.jpg", "c.avi"}));
    // Unreadable pictures have no size: they come first by size, in their listed order.
    f.Items.Sort(soSize);
    EXPECT_EQ(f.Items.ItemFacts(2).Name, QStringLiteral("c.avi"));
    EXPECT_EQ(f.Items.ItemFacts(0).Name, QStringLiteral("A.png"));
    EXPECT_EQ(f.Items.SelectedIndex(), -1);
}

} // namespace
} // namespace mirte
