// The table of formats: what names each format (first bytes, ftyp brands, extensions) and which
// reader and decoder it goes to.
#include "picture/format_table.h"
#include "picture/picture_decoder.h"
#include "picture/picture_error.h"
#include "picture/picture_format.h"
#include "picture/picture_header.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>
#include <utility>

using namespace mirte;
using namespace mirte::test;

namespace {

// The first bytes a file of the signature begins with, zeros around and after.
QByteArray BytesOf(const FormatSignature& signature) {
    QByteArray bytes = signature.lead.toByteArray();
    if (!signature.tag.isEmpty()) {
        bytes.resize(signature.tagAt, '\0');
        bytes += signature.tag.toByteArray();
    }
    return bytes;
}

// An ISO base media file's "ftyp" box of `size` bytes as written in its header, followed by
// zeros up to SniffBytes.
QByteArray FileTypeBox(const char* major, QList<QByteArray> compatible, quint32 size = 0) {
    QByteArray box(4, '\0');
    box += QByteArray("ftyp") + QByteArray(major) + QByteArray(4, '\0');
    for (const QByteArray& brand : compatible) {
        box += brand;
    }
    qToBigEndian<quint32>(size != 0 ? size : quint32(box.size()), box.data());
    return box.leftJustified(SniffBytes, '\0');
}

const char* NameOf(PictureFormat format) {
    static const char* const names[] = {"Unknown", "Jpeg", "Png",  "Tiff",
                                        "Bmp",     "Heif", "WebP", "Raw"};
    return names[int(format)];
}

} // namespace

TEST(FormatTable, EverySignatureNamesItsOwnFormatAndOnlyWhenWhole) {
    int signatures = 0;
    for (const FormatEntry& entry : PictureFormats()) {
        for (const FormatSignature& signature : entry.signatures) {
            const QByteArray bytes = BytesOf(signature);
            SCOPED_TRACE(::testing::Message()
                         << NameOf(entry.format) << ' ' << bytes.toHex().data());
            // Any other format claiming these bytes would make the table's order matter.
            EXPECT_EQ(SniffFormat(bytes.leftJustified(SniffBytes, '\0')), entry.format);
            EXPECT_NE(SniffFormat(bytes.chopped(1)), entry.format);
            ++signatures;
        }
    }
    EXPECT_GT(signatures, 0);
}

TEST(FormatTable, EveryExtensionNamesOneFormatAndOnlyTheListedOnesAreBrowsed) {
    QHash<QString, PictureFormat> seen;
    for (const FormatEntry& entry : PictureFormats()) {
        for (const auto& [extensions, listed] :
             {std::pair{entry.listedExtensions, true}, std::pair{entry.otherExtensions, false}}) {
            for (const char* ext : extensions) {
                SCOPED_TRACE(::testing::Message() << NameOf(entry.format) << ' ' << ext);
                EXPECT_FALSE(seen.contains(ext)) << "also " << NameOf(seen.value(ext));
                seen.insert(ext, entry.format);
                EXPECT_EQ(FormatOfExtension(ext), entry.format);
                EXPECT_EQ(BrowsedExtensions().contains(ext), listed);
                EXPECT_EQ(IsPictureExtension(ext), listed);
                EXPECT_FALSE(IsMovieExtension(ext));
                EXPECT_EQ(FormatOfExtension(QString::fromLatin1(ext).toUpper()),
                          PictureFormat::Unknown); // extensions arrive lower-cased
            }
        }
    }
    for (const char* recognised : {"dib", "jpe", "jfif"}) {
        EXPECT_TRUE(seen.contains(recognised)) << recognised;
    }
}

TEST(FormatTable, EachFormatHasOneEntryWithOneHeaderReaderAndADecoder) {
    EXPECT_EQ(FindFormat(PictureFormat::Unknown), nullptr);
    for (const PictureFormat format :
         {PictureFormat::Jpeg, PictureFormat::Png, PictureFormat::Tiff, PictureFormat::Bmp,
          PictureFormat::Heif, PictureFormat::WebP, PictureFormat::Raw}) {
        SCOPED_TRACE(NameOf(format));
        const FormatEntry* entry = FindFormat(format);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->format, format);
        EXPECT_NE(entry->readHeader == nullptr, entry->readHeaderAt == nullptr);
        EXPECT_NE(entry->decode, nullptr);
        EXPECT_EQ(std::count_if(PictureFormats().begin(), PictureFormats().end(),
                                [format](const FormatEntry& e) { return e.format == format; }),
                  1);
    }
}

TEST(FormatTable, FileTypeBoxesAreKnownByTheirBrands) {
    const struct {
        const char* what;
        QByteArray bytes;
        PictureFormat format;
    } rows[] = {
        {"Canon CR3 major brand", FileTypeBox("crx ", {"isom"}), PictureFormat::Raw},
        {"AVIF sequence major brand", FileTypeBox("avis", {}), PictureFormat::Heif},
        {"HEIF brand among the compatible", FileTypeBox("isom", {"mp41", "mif1"}),
         PictureFormat::Heif},
        {"CR3 brand counts only as the major", FileTypeBox("isom", {"crx "}),
         PictureFormat::Unknown},
        {"compatible brand past the box's end", FileTypeBox("isom", {"mp41", "heic"}, 20),
         PictureFormat::Unknown},
        {"not a file type box", FileTypeBox("heic", {}).replace(4, 4, "free"),
         PictureFormat::Unknown},
        {"box cut short", FileTypeBox("heic", {}).left(15), PictureFormat::Unknown},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SniffFormat(row.bytes), row.format) << row.what;
    }
}

TEST(FormatTable, AnUnknownFormatIsRefusedByNameWhetherReadOrDecoded) {
    TempFolder dir;
    const QString path = dir.Write("notes.xyz", "nothing known");
    const QString unknown = QStringLiteral("画像の形式がわかりません。");
    try {
        ReadPictureHeader(path);
        ADD_FAILURE() << "the header was read";
    } catch (const EPictureError& error) {
        EXPECT_TRUE(error.Message().contains(path)) << error.Message().toStdString();
        EXPECT_TRUE(error.Message().endsWith(unknown)) << error.Message().toStdString();
    }
    try {
        DecodePictureTo(path, PictureHeader{}, QSize(8, 8));
        ADD_FAILURE() << "the picture was decoded";
    } catch (const EPictureError& error) {
        EXPECT_TRUE(error.Message().contains(path)) << error.Message().toStdString();
        EXPECT_TRUE(error.Message().endsWith(unknown)) << error.Message().toStdString();
    }
}
