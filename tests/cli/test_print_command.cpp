// mirte-cli print index: the card checked from its PDF alone (pages, paper, the text on it),
// the preview images, the page range, the settings file and its overrides, and the refusals.
#include "picture_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "support/without_root.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace mirte::test;

namespace {

struct CliResult {
    int status = -1;
    QString out;
    QString err;
};

CliResult Command(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

CliResult Cli(const QStringList& args) {
    return Command(QStringLiteral(MIRTE_CLI), args);
}

// A folder of photos p000.jpg ... and a cache folder beside it.
struct PrintFixture {
    TempFolder Dir;
    QString Photos;
    QString Cache;

    explicit PrintFixture(int count) {
        WriteIn(QString(), count);
        Photos = Dir.MakeDir(QStringLiteral("photos"));
        Cache = Dir.MakeDir(QStringLiteral("cache"));
    }
    // Photos p000.jpg ... in photos/ or a folder below it.
    void WriteIn(const QString& folder, int count) const {
        const QByteArray jpeg = EncodeWithQt(MakeTestPicture(320, 240), "jpg", 85);
        for (int i = 0; i < count; ++i) {
            Dir.Write(
                QStringLiteral("photos/%1/p%2.jpg").arg(folder).arg(i, 3, 10, QLatin1Char('0')),
                jpeg);
        }
    }
    CliResult Print(const QStringList& extra) const {
        return Cli(QStringList{"print", "index", Photos, "--cache", Cache} + extra);
    }
    QString Pdf() const { return Dir.File(QStringLiteral("card.pdf")); }
};

QString PdfInfo(const QString& pdf) {
    return Command(QStringLiteral("pdfinfo"), {pdf}).out;
}

QString PdfText(const QString& pdf) {
    return Command(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out;
}

} // namespace

TEST(CliPrintIndex, APdfWithEveryNameTheTitleAndThePath) {
    PrintFixture f(73);
    const CliResult run = f.Print({"--pdf", f.Pdf(), "--title", "夏休み & 海"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), f.Pdf() + QStringLiteral("\t2 pages"));
    EXPECT_TRUE(run.err.isEmpty() || !run.err.contains(QStringLiteral("ページ"))); // no terminal
    const QString info = PdfInfo(f.Pdf());
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595"))) << info.toStdString(); // landscape
    const QString text = PdfText(f.Pdf());
    for (int i = 0; i < 73; ++i) {
        EXPECT_TRUE(text.contains(QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0')))) << i;
    }
    EXPECT_EQ(text.count(QStringLiteral("夏休み & 海")), 4); // two cards a page
    EXPECT_TRUE(text.contains(f.Photos));
    EXPECT_EQ(QDir(f.Dir.Path()).entryList({QStringLiteral(".*part")}, QDir::Files | QDir::Hidden),
              QStringList());
}

TEST(CliPrintIndex, PreviewImagesAndAPageRangeOfTheSameCard) {
    PrintFixture f(10);
    const QString pngs = f.Dir.File(QStringLiteral("pages"));
    CliResult run =
        f.Print({"--png", pngs, "--layout", "0", "--pages", "2-3"}); // 1 x 1: five pages
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(pngs).entryList(QDir::Files), (QStringList{"page-002.png", "page-003.png"}));
    // Qt's A4 measures 1123 x 793 units; at the preview's scale 2, about 2500 pixels long.
    EXPECT_EQ(QImage(pngs + QStringLiteral("/page-002.png")).size(), QSize(2246, 1586));
    run = f.Print({"--pdf", f.Pdf(), "--layout", "0", "--pages", "2-3", "--paper", "Letter"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString info = PdfInfo(f.Pdf());
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("792 x 612"))) << info.toStdString();
    const QString text = PdfText(f.Pdf());
    EXPECT_TRUE(text.contains(QStringLiteral("p002.jpg")));
    EXPECT_FALSE(text.contains(QStringLiteral("p001.jpg")));
    EXPECT_FALSE(text.contains(QStringLiteral("p006.jpg")));
}

TEST(CliPrintIndex, TheSettingsFileAppliesAndFlagsWin) {
    PrintFixture f(3);
    const QString ini = f.Dir.Write(
        QStringLiteral("Thumbnail.ini"),
        "[PrintThumbnail]\r\nLayout=0\r\nTitle=設定の題\r\nFNShow=0\r\nBackColor=-1\r\n");
    const QByteArray before = f.Dir.Read(QStringLiteral("Thumbnail.ini"));
    CliResult run = f.Print({"--pdf", f.Pdf(), "--settings", ini});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QString text = PdfText(f.Pdf());
    EXPECT_TRUE(text.contains(QStringLiteral("設定の題")));
    EXPECT_FALSE(text.contains(QStringLiteral("p000.jpg")));                      // file names off
    EXPECT_TRUE(PdfInfo(f.Pdf()).contains(QRegularExpression("Pages:\\s+2\\n"))); // 1 x 1
    run = f.Print({"--pdf", f.Pdf(), "--settings", ini, "--title", "上書き", "--layout", "5"});
    ASSERT_EQ(run.status, 0);
    text = PdfText(f.Pdf());
    EXPECT_TRUE(text.contains(QStringLiteral("上書き")));
    EXPECT_TRUE(PdfInfo(f.Pdf()).contains(QRegularExpression("Pages:\\s+1\\n")));
    EXPECT_EQ(f.Dir.Read(QStringLiteral("Thumbnail.ini")), before); // never written
}

TEST(CliPrintIndex, RefusalsLeaveNoFile) {
    PrintFixture f(2);
    struct Row {
        QStringList args;
        int status;
    };
    const QString nowhere = QStringLiteral("/nonexistent/folder/card.pdf");
    const Row rows[] = {
        {{"print"}, 2},
        {{"print", "index", f.Photos}, 2}, // no output
        {{"print", "index", f.Photos, "--pdf", f.Pdf(), "--png", f.Dir.Path()}, 2},
        {{"print", "index", f.Photos, "--pdf", f.Pdf(), "--layout", "10"}, 2},
        {{"print", "index", f.Photos, "--pdf", f.Pdf(), "--pages", "3-2"}, 2},
        {{"print", "index", f.Photos, "--pdf", f.Pdf(), "--pages", "4-5"}, 2}, // one page
        {{"print", "index", f.Photos, "--pdf", f.Pdf(), "--paper", "B5"}, 2},
        {{"print", "sheet", f.Photos, "--pdf", f.Pdf()}, 2},
        {{"print", "index", f.Dir.File("none"), "--pdf", f.Pdf()}, 1},
        {{"print", "index", f.Photos, "--pdf", nowhere, "--cache", f.Cache}, 1},
        {{"print", "index", f.Photos, "--printer", "no-such-queue", "--cache", f.Cache}, 1},
    };
    for (const Row& row : rows) {
        const CliResult run = Cli(row.args);
        EXPECT_EQ(run.status, row.status) << row.args.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty()) << row.args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(f.Pdf())) << row.args.join(' ').toStdString();
    }
}

// --each-folder: every folder of the tree with cards of its own, titled with its name and
// showing its path; a folder the walk leaves out is told, and the rest printed.
TEST(CliPrintIndex, EachFolderPrintsCardsForEveryFolderOfTheTree) {
    PrintFixture f(1);
    f.WriteIn(QStringLiteral("2024"), 40); // two cards at 6 x 6
    f.WriteIn(QStringLiteral("2024/旅行"), 1);
    const QString loop = f.Photos + QStringLiteral("/2024/up");
    ASSERT_TRUE(QFile::link(f.Photos, loop));
    const CliResult run = f.Print({"--pdf", f.Pdf(), "--each-folder", "--title", "夏"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(PdfInfo(f.Pdf()).contains(QRegularExpression("Pages:\\s+2\\n"))); // 4 cards
    const QStringList lines = PdfText(f.Pdf()).remove('\f').split('\n'); // pages begin with \f
    for (const QString& line :
         QStringList{"夏 photos", "夏 2024", "夏 旅行", "p039.jpg", f.Photos + "/2024/旅行"}) {
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    }
    EXPECT_EQ(run.err.count(loop + '\t'), 1) << run.err.toStdString(); // the loop, told
    EXPECT_EQ(Cli({"print", "contact", "--each-folder", f.Photos, "--pdf", f.Pdf()}).status, 2);
}

// A folder that cannot be read is not an empty one: list and every print refuse it with the
// reason and write nothing.
TEST(CliFolder, AnUnreadableFolderIsRefusedWithItsReasonWithoutRoot) {
    SKIP_AS_ROOT();
    PrintFixture f(2);
    ASSERT_TRUE(QFile::setPermissions(f.Photos, QFileDevice::WriteOwner));
    const QString png = f.Dir.File(QStringLiteral("png"));
    const QStringList rows[] = {
        {"list", f.Photos},
        {"print", "index", f.Photos, "--cache", f.Cache, "--pdf", f.Pdf()},
        {"print", "contact", f.Photos, "--cache", f.Cache, "--png", png},
    };
    for (const QStringList& args : rows) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliResult run = Cli(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, QString());
        EXPECT_EQ(run.err, f.Photos + QStringLiteral("\tフォルダを読み取る権限がありません。\n"));
    }
    EXPECT_FALSE(QFile::exists(f.Pdf()));
    EXPECT_FALSE(QFile::exists(png));
    QFile::setPermissions(f.Photos,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// A run killed in the middle of its job leaves the job's file beside the target and its scratch
// folder in the temporary folder; the next run removes both, wherever it prints, and leaves
// alone what a process still running writes.
TEST(CliPrintIndex, TheNextRunRemovesWhatAKilledRunLeft) {
    TempFolder dir;
    const QByteArray jpeg = EncodeWithQt(MakeTestPicture(1600, 1200), "jpg", 85);
    for (int i = 0; i < 200; ++i) {
        dir.Write(QStringLiteral("photos/p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), jpeg);
    }
    const QString temp = dir.MakeDir(QStringLiteral("tmp"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), temp);
    const auto run = [&](const QString& pdf, QProcess& process) {
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(MIRTE_CLI),
                      {"print", "index", dir.File("photos"), "--pdf", pdf, "--cache",
                       dir.File("cache"), "--layout", "0"});
    };
    const auto left = [&](const QString& folder, const QString& pattern) {
        return QDir(folder).entryList({pattern}, QDir::AllEntries | QDir::Hidden);
    };
    QProcess killed;
    run(dir.File("card[1].pdf"), killed); // no wildcard for the cleaner
    QElapsedTimer waited;
    waited.start();
    while (left(dir.Path(), ".card*").isEmpty() && waited.elapsed() < 60000) {
        QThread::msleep(2);
    }
    ::kill(pid_t(killed.processId()), SIGKILL);
    killed.waitForFinished();
    ASSERT_EQ(left(dir.Path(), ".card*").size(), 1);
    ASSERT_EQ(left(temp, "mirte-cli-*").size(), 1);
    const QString running = QStringLiteral(".other.pdf.%1.0.new").arg(::getpid());
    dir.Write(running, "a job of a process still running");

    QProcess next;
    run(dir.File("other.pdf"), next);
    ASSERT_TRUE(next.waitForFinished(120000));
    EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();
    EXPECT_EQ(left(dir.Path(), ".card*"), QStringList());
    EXPECT_EQ(left(temp, "mirte-cli-*"), QStringList());
    EXPECT_EQ(left(dir.Path(), ".other.pdf.*"), QStringList{running});
}

namespace {

// The first column (from the left, along row y) and row (from the top, down column x) that is
// not white on the page rasterised at 96 dpi, where a pixel is a design unit.
QPoint FirstInk(const QString& pdf, const TempFolder& dir, int y, int x) {
    const QString base = dir.File(QStringLiteral("raster"));
    Command(QStringLiteral("pdftoppm"), {"-r", "96", "-png", "-singlefile", pdf, base});
    const QImage page(base + QStringLiteral(".png"));
    QPoint ink(-1, -1);
    for (int i = 0; i < page.width() && ink.x() < 0; ++i) {
        ink.setX(qGray(page.pixel(i, y)) < 200 ? i : -1);
    }
    for (int i = 0; i < page.height() && ink.y() < 0; ++i) {
        ink.setY(qGray(page.pixel(x, i)) < 200 ? i : -1);
    }
    return ink;
}

} // namespace

TEST(CliPrintJacket, OnePortraitPageWithTheCardAtTheTopAndTheTitleThrice) {
    PrintFixture f(1);
    const QString picture = f.Photos + QStringLiteral("/p000.jpg");
    const CliResult run = Cli({"print", "jacket", picture, "--pdf", f.Pdf(), "--cache", f.Cache,
                               "--title", "旅の記録", "--layout", "2", "--rotate", "1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString info = PdfInfo(f.Pdf());
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842"))) << info.toStdString(); // portrait
    EXPECT_EQ(PdfText(f.Pdf()).count(QStringLiteral("旅の記録")), 3); // the face and both spines
    // The card starts 114 units from the paper's left edge and 37 below its top (its frame
    // lines run a unit outside).
    const QPoint ink = FirstInk(f.Pdf(), f.Dir, 200, 300);
    EXPECT_NEAR(ink.x(), 113, 1);
    EXPECT_NEAR(ink.y(), 36, 1);
    // A picture that cannot be read: the card prints without it, with a word on it.
    const QString broken = f.Dir.Write(QStringLiteral("broken.jpg"), "not a picture");
    const CliResult without =
        Cli({"print", "jacket", broken, "--png", f.Dir.File("png"), "--cache", f.Cache});
    EXPECT_EQ(without.status, 0);
    EXPECT_TRUE(without.err.contains(QStringLiteral("broken.jpg")));
    EXPECT_EQ(Cli({"print", "jacket", f.Photos, "--pdf", f.Pdf()}).status, 1); // not a file
    EXPECT_EQ(Cli({"print", "jacket", picture, "--pdf", f.Pdf(), "--rotate", "4"}).status, 2);
    EXPECT_EQ(Cli({"print", "jacket", picture, "--pdf", f.Pdf(), "--pages", "1-1"}).status, 2);
}

TEST(CliPrintContact, NamesAndDatesOnPortraitPages) {
    PrintFixture f(31);
    CliResult run = Cli(
        {"print", "contact", f.Photos, "--pdf", f.Pdf(), "--cache", f.Cache, "--title", "一覧"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QString info = PdfInfo(f.Pdf());
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842"))) << info.toStdString();
    QString text = PdfText(f.Pdf());
    EXPECT_TRUE(text.contains(QStringLiteral("p030.jpg")));
    EXPECT_EQ(text.count(QRegularExpression("\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d")), 31);
    EXPECT_EQ(text.count(QStringLiteral("一覧")), 2);
    run = Cli({"print", "contact", f.Photos, "--pdf", f.Pdf(), "--cache", f.Cache, "--no-dates",
               "--layout", "0"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    text = PdfText(f.Pdf());
    EXPECT_TRUE(text.contains(QStringLiteral("p000.jpg")));
    EXPECT_FALSE(text.contains(QRegularExpression("\\d{4}/\\d\\d/\\d\\d")));
    EXPECT_TRUE(PdfInfo(f.Pdf()).contains(QRegularExpression("Pages:\\s+16\\n"))); // 1 x 2
    EXPECT_EQ(Cli({"print", "contact", f.Photos, "--pdf", f.Pdf(), "--layout", "26"}).status, 2);
}
