#include "format_samples.h"
#include "generated/mirte_version.h"
#include "picture_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/file_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

using namespace mirte::test;

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args,
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MIRTE_CLI), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The environment of a run that waits at most `ms` for a cache folder another run holds.
QProcessEnvironment WaitingAtMost(int ms) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MIRTE_CACHE_WAIT_MS"), QString::number(ms));
    return env;
}

quint32 U32(const QByteArray& b, int at) {
    return quint8(b[at]) | (quint8(b[at + 1]) << 8) | (quint8(b[at + 2]) << 16) |
           (quint32(quint8(b[at + 3])) << 24);
}

} // namespace

TEST(CliFacts, PrintsNineFieldsPerPictureAndReportsFailures) {
    TempFolder dir;
    const QString good =
        dir.Write("good.jpg", MakeExifJpeg(MakeTestPicture(64, 48),
                                           {"2003:05:12 10:20:30", "2003:05:11 09:08:07", 6}));
    const QString bad = dir.Write("bad.png", "not a png");
    const CliRun run = Cli({"facts", good, bad});
    EXPECT_EQ(run.status, 1);
    const QStringList fields = run.out.trimmed().split(QLatin1Char('\t'));
    ASSERT_EQ(fields.size(), 9) << run.out.toStdString();
    EXPECT_EQ(fields[0], good);
    EXPECT_EQ(fields[1], QStringLiteral("64"));
    EXPECT_EQ(fields[2], QStringLiteral("48"));
    EXPECT_EQ(fields[3], QStringLiteral("2003/05/11 09:08:07"));
    EXPECT_EQ(fields[4], QStringLiteral("2003/05/12 10:20:30"));
    EXPECT_TRUE(run.err.startsWith(bad + QLatin1Char('\t'))) << run.err.toStdString();
    EXPECT_EQ(Cli({"facts", good}).status, 0);
}

TEST(CliFacts, GiveTheProgramsReasonWithTheLibrarysWordsAfterIt) {
    TempFolder dir;
    const struct {
        const char* name;
        QByteArray bytes;
        const char* column; // the reason column, after the file's name
    } files[] = {
        {"text.cr2", "hello, this is not a picture\n",
         "詳細：RAW ファイルではありません。 (LibRaw: "},
        {"empty.heic", {}, "詳細：HEIF ファイルではありません。 (libheif: "},
        {"text.tif", "hello, this is not a picture\n",
         "詳細：TIFF ファイルではありません。 (libtiff: "},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const QString path = dir.Write(file.name, file.bytes);
        const CliRun run = Cli({"facts", path});
        EXPECT_EQ(run.status, 1);
        const QString expected = path + QStringLiteral("\t画像 \"") + path +
                                 QStringLiteral("\" を読み込めません。") +
                                 QString::fromUtf8(file.column);
        EXPECT_TRUE(run.err.startsWith(expected)) << run.err.toStdString();
        EXPECT_TRUE(run.err.trimmed().endsWith(u')')) << run.err.toStdString();
    }
}

// The help and the errors in the locale's language: Japanese as written under a Japanese one,
// English under any other.
TEST(CliLanguage, HelpAndErrorsFollowTheLocale) {
    TempFolder dir;
    const QString text = dir.Write("notes.txt", "not a picture");
    const QString missing = dir.File("gone");
    const QString pdf = dir.File("out.pdf");
    const QStringList box{"thumb", "--box", "0", "1", "--out", dir.File("t"), text};
    const struct {
        const char* lang;
        QStringList args;
        int status;
        QString out; // the beginning of standard output
        QString err; // standard error, whole
    } rows[] = {
        {"ja_JP.UTF-8", {"--help"}, 0, "使い方: mirte-cli コマンド [引数]\n", ""},
        {"en_US.UTF-8", {"--help"}, 0, "usage: mirte-cli COMMAND [ARGS]\n", ""},
        {"ja_JP.UTF-8", box, 2, "",
         "mirte-cli thumb: --box には 1 から 4096 ピクセルまでの幅と高さを指定してください\n"},
        {"en_US.UTF-8", box, 2, "",
         "mirte-cli thumb: --box takes two sides from 1 to 4096 pixels\n"},
        {"ja_JP.UTF-8", {"list", missing}, 1, "", missing + "\tフォルダが存在しません。\n"},
        {"en_US.UTF-8", {"list", missing}, 1, "", missing + "\tThe folder does not exist.\n"},
        {"de_DE.UTF-8", {"list", missing}, 1, "", missing + "\tThe folder does not exist.\n"},
        {"ja_JP.UTF-8",
         {"print", "index", missing, "--pdf", pdf},
         1,
         "",
         missing + "\tフォルダが存在しません。\n"},
        {"en_GB.UTF-8",
         {"print", "index", missing, "--pdf", pdf},
         1,
         "",
         missing + "\tThe folder does not exist.\n"},
        {"ja_JP.UTF-8",
         {"print", "jacket", missing, "--pdf", pdf},
         1,
         "",
         missing + "\tファイルが見つかりません。\n"},
        {"C.UTF-8",
         {"print", "jacket", missing, "--pdf", pdf},
         1,
         "",
         missing + "\tFile not found.\n"},
        {"ja_JP.UTF-8",
         {"facts", text},
         1,
         "",
         text + "\t画像 \"" + text + "\" を読み込めません。詳細：画像の形式がわかりません。\n"},
        {"en_US.UTF-8",
         {"facts", text},
         1,
         "",
         text + "\tCannot load the picture \"" + text + "\". Details: Unknown picture format.\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lang + (QLatin1Char(' ') + row.args.join(QLatin1Char(' '))).toStdString());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
            env.remove(QString::fromLatin1(name));
        }
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(row.lang));
        const CliRun run = Cli(row.args, env);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out.left(row.out.size()), row.out);
        EXPECT_EQ(run.err, row.err);
    }
}

TEST(CliThumb, WritesUpright24BitBitmapsFittedIntoTheBox) {
    TempFolder dir;
    const QString photo =
        dir.Write("photo.jpg", MakeExifJpeg(MakeTestPicture(400, 300), {"", "", 6}));
    const QString wide = dir.Write("wide.png", EncodeWithQt(MakeTestPicture(300, 100), "png"));
    const QString out = dir.File("out");
    ASSERT_EQ(Cli({"thumb", "--out", out, photo, wide}).status, 0);
    const QByteArray bmp = dir.Read(out + "/photo.bmp");
    ASSERT_GT(bmp.size(), 54);
    EXPECT_EQ(U32(bmp, 10), 54u);   // pixels right after the headers
    EXPECT_EQ(U32(bmp, 18), 384u);  // portrait: 384 x 512
    EXPECT_EQ(U32(bmp, 22), 512u);  // positive: stored bottom-up
    EXPECT_EQ(quint8(bmp[28]), 24); // bits per pixel
    EXPECT_EQ(QImage(out + "/wide.bmp").size(), QSize(512, 171));

    ASSERT_EQ(Cli({"thumb", "--box", "96", "96", "--out", out, wide}).status, 0);
    EXPECT_EQ(QImage(out + "/wide.bmp").size(), QSize(96, 32));
    const CliRun failed = Cli({"thumb", "--out", out, dir.Write("broken.jpg", "xx")});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("broken.jpg")));
    EXPECT_EQ(Cli({"thumb", photo}).status, 2); // no --out
}

// The first image: written at its own size, or the file refused with the reason; the files come
// in the order given.
TEST(CliThumb, FirstImageWrittenAtItsOwnSizeOrRefusedWithTheReason) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(480, 320);
    const QString with = dir.Write("with.heic", MakeHeif(picture, {.thumbnail = 240}));
    const QString without = dir.Write("without.heic", MakeHeif(picture, {}));
    const QString out = dir.File("first");
    const struct {
        QStringList files;
        int status;
        QString out; // standard output, whole
        QString err; // standard error, whole
    } rows[] = {
        {{with}, 0, with + "\t240\t160\t" + out + "/with.bmp\n", ""},
        {{without}, 1, "", without + "\tファイルに縮小画像がありません。\n"},
        {{without, with},
         1,
         with + "\t240\t160\t" + out + "/with.bmp\n",
         without + "\tファイルに縮小画像がありません。\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.files.join(u' ').toStdString());
        const CliRun run = Cli(QStringList{"thumb", "--first-image", "--out", out} + row.files);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
    EXPECT_EQ(QImage(out + "/with.bmp").size(), QSize(240, 160));
    EXPECT_FALSE(QFileInfo::exists(out + "/without.bmp"));
}

// The window's name order, whatever the extensions and the listing: digit runs as numbers, case
// folded, equal names by their exact bytes.
TEST(CliList, InTheWindowsNameOrder) {
    TempFolder dir;
    for (const char* name : {"img_10.jpg", "IMG_1.png", "img_2.jpg", "img_1.bmp", "img_1.png"}) {
        dir.Write(name, "x");
    }
    const CliRun run = Cli({"list", dir.Path()});
    EXPECT_EQ(run.status, 0);
    QStringList names;
    for (const QString& line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
        names << line.section(u'\t', 0, 0);
    }
    EXPECT_EQ(names,
              (QStringList{"img_1.bmp", "IMG_1.png", "img_1.png", "img_2.jpg", "img_10.jpg"}));
}

// A tree in the same order, as paths relative to it: the folder's own files first, then each
// folder before the folders below it; a loop of links listed once and told on its stream.
TEST(CliList, ATreeInTheWindowsNameOrderWithRelativePaths) {
    TempFolder dir;
    for (const char* name : {"b/img_10.jpg", "top.png", "b/img_2.jpg", "a/x/deep.jpg", "a/a1.jpg",
                             "a-c/c.jpg", ".hidden/h.jpg", "notes.txt"}) {
        dir.Write(name, "x");
    }
    ASSERT_TRUE(QFile::link(dir.Path(), dir.File("a/x/up")));
    const CliRun run = Cli({"list", "--recursive", dir.Path()});
    EXPECT_EQ(run.status, 1);
    QStringList names;
    for (const QString& line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
        names << line.section(u'\t', 0, 0);
    }
    EXPECT_EQ(names, (QStringList{"top.png", "a/a1.jpg", "a/x/deep.jpg", "a-c/c.jpg", "b/img_2.jpg",
                                  "b/img_10.jpg"}));
    EXPECT_TRUE(run.err.startsWith(dir.File("a/x/up") + u'\t')) << run.err.toStdString();
    EXPECT_EQ(run.err.count(u'\n'), 1);
    // Without the switch: the folder alone.
    EXPECT_EQ(Cli({"list", dir.Path()}).out.count(u'\n'), 1);
}

// What the user asks for or gets wrong: the answer in plain words on its own stream, and none of
// Qt's own chatter on the terminal (here its warning about XDG_RUNTIME_DIR).
TEST(CliTalk, HelpVersionRefusalsAndNoQtChatter) {
    TempFolder dir;
    const QString photo = dir.Write("p.jpg", EncodeWithQt(MakeTestPicture(100, 68), "jpg"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const struct {
        QStringList args;
        int status;
        QString out; // the beginning of standard output
        QString err; // found in standard error; empty: it stays empty
    } rows[] = {
        {{"help"}, 0, "使い方: mirte-cli", ""},
        {{"--help"}, 0, "使い方: mirte-cli", ""},
        {{"version"}, 0, "mirte-cli " MIRTE_VERSION "\n", ""},
        {{"list", photo}, 1, "", "フォルダではありません。"},
        {{"thumb", "--box", "4097", "100", "--out", dir.File("t"), photo}, 2, "", "1 から 4096"},
        {{"print", "index", dir.Path(), "--png", dir.File("png"), "--cache", dir.File("cache")},
         0,
         dir.File("png") + "\t1 page\n",
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.join(u' ').toStdString());
        const CliRun run = Cli(row.args, env);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out.left(row.out.size()), row.out);
        EXPECT_TRUE(row.err.isEmpty() ? run.err.isEmpty() : run.err.contains(row.err))
            << run.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.File("t")));
}

TEST(CliJobs, AnyNumberOfWorkersReportsInTheOrderGivenAndStoresEachPictureOnce) {
    TempFolder dir;
    QStringList files;
    for (int i = 0; i < 12; ++i) {
        files << (i == 5 ? dir.Write("broken.jpg", "xx")
                         : dir.Write(QStringLiteral("p%1.png").arg(i),
                                     EncodeWithQt(MakeTestPicture(40 + i, 30), "png")));
    }
    files << files[2]; // asked for twice: rendered once, then served
    QString expected;
    for (const QString& jobs : QStringList{"1", "3"}) {
        SCOPED_TRACE(jobs.toStdString());
        CliRun thumb =
            Cli(QStringList{"thumb", "--jobs", jobs, "--out", dir.File("t" + jobs)} + files);
        EXPECT_EQ(thumb.status, 1);
        EXPECT_TRUE(thumb.err.startsWith(files[5] + '\t')) << thumb.err.toStdString();
        if (expected.isEmpty()) {
            expected = thumb.out;
        }
        EXPECT_EQ(thumb.out.replace("/t" + jobs + "/", "/t1/"), expected);

        const QString cache = dir.File("cache" + jobs);
        const CliRun get = Cli(QStringList{"cache", "--dir", cache, "--jobs", jobs, "get"} + files);
        EXPECT_EQ(get.status, 1);
        const QStringList lines = get.out.trimmed().split(u'\n');
        ASSERT_EQ(lines.size(), 12);
        EXPECT_TRUE(lines[2].startsWith("miss\t") && lines[2].endsWith(files[2]));
        EXPECT_TRUE(lines[11].startsWith("hit\t") && lines[11].endsWith(files[2]));
        EXPECT_EQ(Cli({"cache", "--dir", cache, "list"}).out.count(u'\n'), 11);
    }
    for (const char* bad : {"0", "65", "x"}) {
        EXPECT_EQ(Cli({"thumb", "--jobs", bad, "--out", dir.File("t"), files[0]}).status, 2);
        EXPECT_EQ(Cli({"cache", "--dir", dir.File("c"), "--jobs", bad, "get", files[0]}).status, 2);
    }
}

TEST(CliCache, MissThenHitThenTouchedMakesTheNextNumber) {
    TempFolder dir;
    const QString photo = dir.Write("photo.jpg", EncodeWithQt(MakeTestPicture(640, 480), "jpg"));
    const QString cache = dir.File("cache");
    CliRun first = Cli({"cache", "--dir", cache, "get", photo});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, QStringLiteral("miss\t512x384\t%1\n").arg(photo));
    const QByteArray bitmap = dir.Read(cache + "/_TDB0200/A00000/A0000000.jpg");
    ASSERT_FALSE(bitmap.isEmpty());
    EXPECT_EQ(Cli({"cache", "--dir", cache, "get", photo}).out,
              QStringLiteral("hit\t512x384\t%1\n").arg(photo));
    EXPECT_EQ(dir.Read(cache + "/_TDB0200/A00000/A0000000.jpg"), bitmap);

    utimbuf later{};
    later.actime = later.modtime = QDateTime::currentSecsSinceEpoch() + 60;
    ASSERT_EQ(::utime(QFile::encodeName(photo).constData(), &later), 0);
    EXPECT_EQ(Cli({"cache", "--dir", cache, "get", photo}).out,
              QStringLiteral("miss\t512x384\t%1\n").arg(photo));
    const QStringList lines = Cli({"cache", "--dir", cache, "list"}).out.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 2); // least recently used first: the stale record, then the new one
    const QStringList newest = lines[1].split(u'\t');
    ASSERT_EQ(newest.size(), 16);
    EXPECT_EQ(newest[2], photo);
    EXPECT_EQ(newest[3], QStringLiteral("1"));
    ASSERT_EQ(Cli({"cache", "--dir", cache, "clear"}).status, 0);
    EXPECT_FALSE(QFileInfo::exists(cache + "/_TDB0200"));
}

TEST(CliCache, AKilledRunLeavesALoadableTable) {
    TempFolder dir;
    const QString cache = dir.File("cache");
    QStringList early;
    for (int i = 0; i < 5; ++i) {
        early.append(dir.Write(QStringLiteral("e%1.jpg").arg(i),
                               EncodeWithQt(MakeTestPicture(320 + i, 240), "jpg")));
    }
    ASSERT_EQ(Cli(QStringList{"cache", "--dir", cache, "get"} + early).status, 0);
    QStringList many;
    const QByteArray big = EncodeWithQt(MakeTestPicture(1600, 1200), "png");
    for (int i = 0; i < 60; ++i) {
        many.append(dir.Write(QStringLiteral("m%1.png").arg(i), big));
    }
    QProcess run;
    run.start(QStringLiteral(MIRTE_CLI), QStringList{"cache", "--dir", cache, "get"} + many);
    ASSERT_TRUE(run.waitForStarted());
    // Wait for a few thumbnails to be stored, then kill it without warning.
    QByteArray said;
    for (int i = 0; i < 200 && said.count('\n') < 3; ++i) {
        run.waitForReadyRead(100);
        said += run.readAllStandardOutput();
    }
    ASSERT_GE(said.count('\n'), 3);
    run.kill();
    run.waitForFinished();
    const CliRun listed = Cli({"cache", "--dir", cache, "list"});
    ASSERT_EQ(listed.status, 0) << listed.err.toStdString();
    const QStringList lines = listed.out.trimmed().split(u'\n');
    EXPECT_EQ(lines.size(), 5); // the table as it was last saved
    const CliRun again = Cli(QStringList{"cache", "--dir", cache, "get"} + early + many.mid(0, 2));
    ASSERT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(again.out.count(QStringLiteral("hit\t")), 5);
    EXPECT_EQ(again.out.count(QStringLiteral("miss\t")), 2);
}

// Two runs on one cache folder at the same time both store as they go, neither waiting for the
// other to end: nothing is lost, and neither is told that the folder is in use.
TEST(CliCacheFolder, TwoRunsAtOnceKeepEachOthersThumbnails) {
    TempFolder dir;
    const QString cache = dir.File("cache");
    QStringList files[2];
    for (int r = 0; r < 2; ++r) {
        for (int i = 0; i < 20; ++i) {
            files[r].append(dir.Write(QStringLiteral("r%1-%2.jpg").arg(r).arg(i),
                                      EncodeWithQt(MakeTestPicture(1600 + i, 1200 + r), "jpg")));
        }
    }
    QProcess runs[2];
    for (int r = 0; r < 2; ++r) {
        runs[r].start(QStringLiteral(MIRTE_CLI),
                      QStringList{"cache", "--dir", cache, "--jobs", "1", "get"} + files[r]);
    }
    for (QProcess& run : runs) {
        ASSERT_TRUE(run.waitForFinished(180000));
        EXPECT_EQ(run.exitCode(), 0);
        EXPECT_EQ(run.readAllStandardError(), QByteArray());
        EXPECT_EQ(run.readAllStandardOutput().count("miss\t"), 20);
    }
    const CliRun listed = Cli({"cache", "--dir", cache, "list"});
    EXPECT_EQ(listed.out.count(u'\n'), 40);
}

// A program that hangs while it holds the folder's lock: a run waits a moment, then serves what
// is stored, renders the rest and stores nothing; once the holder is killed the lock is free.
TEST(CliCacheFolder, ALockHeldByAHungProgramStoresNothingAndAKilledHolderLetsGo) {
    TempFolder dir;
    const QString cache = dir.File("cache");
    const QString stored = dir.Write("stored.jpg", EncodeWithQt(MakeTestPicture(640, 480), "jpg"));
    const QString fresh = dir.Write("fresh.jpg", EncodeWithQt(MakeTestPicture(480, 640), "jpg"));
    ASSERT_EQ(Cli({"cache", "--dir", cache, "get", stored}).status, 0);
    const QString table = cache + "/_TDB0200/_TDBCache.dat";
    const QByteArray before = dir.Read(table);

    // One process, the lock's only holder: the shell opens the lock file, flock(1) locks it,
    // and the shell becomes the sleep that keeps it open.
    QProcess holder;
    holder.start(QStringLiteral("sh"),
                 {"-c", "exec 9>\"$0\" && flock 9 && exec sleep 600", cache + "/_TDB0200.lock"});
    ASSERT_TRUE(holder.waitForStarted());
    mirte::TFileLock probe;
    for (int i = 0;
         i < 200 && probe.Lock(cache + "/_TDB0200.lock", 0) == mirte::TFileLock::TResult::Held;
         ++i) {
        probe.Unlock();
        QThread::msleep(50);
    }
    ASSERT_FALSE(probe.Held());

    const CliRun held = Cli({"cache", "--dir", cache, "get", stored, fresh}, WaitingAtMost(300));
    EXPECT_EQ(held.status, 0);
    EXPECT_EQ(held.out, QStringLiteral("hit\t512x384\t%1\nmiss\t384x512\t%2\n").arg(stored, fresh));
    EXPECT_TRUE(held.err.contains(QStringLiteral("サムネイルは保存しません")))
        << held.err.toStdString();
    EXPECT_EQ(dir.Read(table), before);
    EXPECT_EQ(QDir(cache + "/_TDB0200/A00000").entryList(QDir::Files), QStringList{"A0000000.jpg"});

    holder.kill();
    ASSERT_TRUE(holder.waitForFinished());
    const CliRun freed = Cli({"cache", "--dir", cache, "get", fresh}, WaitingAtMost(0));
    EXPECT_EQ(freed.out, QStringLiteral("miss\t384x512\t%1\n").arg(fresh));
    EXPECT_TRUE(freed.err.isEmpty()) << freed.err.toStdString();
    EXPECT_EQ(Cli({"cache", "--dir", cache, "list"}).out.count(u'\n'), 2);
}
