// Why a picture cannot be read: the program's own reason for the user, the library's words kept
// beside it for the log and mirte-cli facts.
#include "diag/debug_flags.h"
#include "diag/diagnostics.h"
#include "format_samples.h"
#include "picture/picture_decoder.h"
#include "picture/picture_error.h"
#include "picture/picture_header.h"
#include "picture_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

QByteArray Text() {
    return QByteArray("hello, this is not a picture\n");
}

// A JPEG whose frame says 12 bits a sample, which libjpeg-turbo's 8-bit build refuses.
QByteArray TwelveBitJpeg() {
    QByteArray jpeg = EncodeWithQt(MakeTestPicture(32, 24), "jpg", 90);
    jpeg[jpeg.indexOf("\xFF\xC0") + 4] = char(12);
    return jpeg;
}

// A PNG whose picture data is noise: its header reads, libpng fails on the data.
QByteArray NoisyPng() {
    QByteArray png = EncodeWithQt(MakeTestPicture(32, 24), "png");
    const qsizetype data = png.indexOf("IDAT") + 6;
    for (qsizetype i = data; i < png.size() - 16; ++i) {
        png[i] = char(png[i] ^ 0x5A);
    }
    return png;
}

struct ReasonRow {
    const char* name;
    const char* file;
    std::function<QByteArray()> make; // null: no such file
    const char* reason;               // the program's own, as the user sees it
    const char* library;              // the words beside it start so; "" for none
};

class PictureReasons : public testing::TestWithParam<ReasonRow> {};

TEST_P(PictureReasons, AreTheProgramsOwnWithTheLibrarysWordsBeside) {
    const ReasonRow& row = GetParam();
    TempFolder dir;
    const QString path = row.make ? dir.Write(row.file, row.make()) : dir.File(row.file);
    try {
        DecodePictureTo(path, ReadPictureHeader(path), QSize(32, 24));
        FAIL() << "decoded";
    } catch (const EPictureError& error) {
        EXPECT_TRUE(
            error.Message().endsWith(QStringLiteral("詳細：") + QString::fromUtf8(row.reason)))
            << error.Message().toStdString();
        if (*row.library == '\0') {
            EXPECT_TRUE(error.Detail().isEmpty()) << error.Detail().toStdString();
        } else {
            EXPECT_TRUE(error.Detail().startsWith(QLatin1String(row.library)))
                << error.Detail().toStdString();
        }
        EXPECT_EQ(error.MessageWithDetail(),
                  error.Detail().isEmpty()
                      ? error.Message()
                      : error.Message() + QStringLiteral(" (") + error.Detail() + u')');
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PictureReasons,
    testing::Values(
        ReasonRow{"text_named_cr2", "a.cr2", Text, "RAW ファイルではありません。", "LibRaw: "},
        ReasonRow{"empty_heic", "a.heic", [] { return QByteArray(); },
                  "HEIF ファイルではありません。", "libheif: "},
        ReasonRow{"text_named_tif", "a.tif", Text, "TIFF ファイルではありません。", "libtiff: "},
        ReasonRow{"twelve_bit_jpeg", "a.jpg", TwelveBitJpeg,
                  "JPEG の扱えない機能が使われています。", "libjpeg: "},
        ReasonRow{"noisy_png", "a.png", NoisyPng, "ファイルが壊れています。", "libpng: "},
        ReasonRow{"undevelopable_raw", "a.nef",
                  [] { return MakeTiffRaw({.sensor = MakeTestPicture(96, 64), .cutShort = true}); },
                  "ファイルが壊れています。", "LibRaw: "},
        ReasonRow{"no_such_file", "a.jpg", nullptr, "ファイルを開けません。", "system: "},
        // The program's own reading finds it: nothing of a library to add.
        ReasonRow{"text_named_jpg", "a.jpg", Text, "JPEG の開始マーカーがありません。", ""}),
    [](const testing::TestParamInfo<ReasonRow>& info) { return std::string(info.param.name); });

// The run's log gets the library's words, when DebugLog is on.
TEST(PictureReasonsLog, HoldsTheLibrarysWords) {
    TempFolder dir;
    dir.Write("Debug.ini", "[Debug]\r\nDebugLog=1\r\n");
    const std::uint32_t flags = DebugFlags();
    {
        TDiagnostics diagnostics(dir.Path(), dir.File("mirte"));
        diagnostics.ThDebugLog().Open(dir.File("A"));
        const QString path = dir.Write("a.cr2", Text());
        EXPECT_THROW(ReadPictureHeader(path), EPictureError);
        QFile log(diagnostics.Log().LogPath());
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("RAW ファイルではありません。 (LibRaw: ")))
            << text.toStdString();
    }
    SetDebugFlags(flags);
}

} // namespace
