#include "picture_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace mirte::test;

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(MIRTE_CLI), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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
