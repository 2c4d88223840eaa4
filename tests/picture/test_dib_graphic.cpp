#include "picture/bmp_decoder.h"
#include "picture/dib_graphic.h"
#include "picture/picture_error.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
#include <type_traits>
#include <unistd.h>

// GCC says so with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define MIRTE_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRTE_TEST_ASAN 1
#endif
#endif

#if defined(MIRTE_TEST_ASAN)
// From the sanitizer's allocator interface, whose header GCC does not install.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            size_t),
                                                         void (*freeHook)(const volatile void*));
#endif

using namespace mirte;
using mirte::test::TempFolder;

namespace {

// ---- Building bitmap files ------------------------------------------------------------------

class LittleEndian {
public:
    LittleEndian& U16(quint16 value) { return Put(value); }
    LittleEndian& U32(quint32 value) { return Put(value); }
    LittleEndian& S32(qint32 value) { return Put(value); }
    LittleEndian& Raw(const QByteArray& bytes) {
        m_bytes += bytes;
        return *this;
    }
    const QByteArray& Bytes() const { return m_bytes; }

private:
    template <typename T> LittleEndian& Put(T value) {
        char bytes[sizeof(T)];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, sizeof(T));
        return *this;
    }
    QByteArray m_bytes;
};

struct BmpFile {
    quint32 headerSize = 40; // 12 writes the core header
    qint32 width = 1;
    qint32 height = 1;
    quint16 bitCount = 24;
    quint32 compression = 0;
    quint32 sizeImage = 0;
    qint32 xPelsPerMeter = 2835;
    qint32 yPelsPerMeter = 2835;
    quint32 clrUsed = 0;
    QList<QRgb> colors;             // entries written to the file
    QList<quint32> masks;           // written after the header when given
    std::optional<quint32> offBits; // default: right after the colour table
    QByteArray pixels;
};

QByteArray MakeBmp(const BmpFile& file) {
    LittleEndian info;
    if (file.headerSize == 12) {
        info.U32(12).U16(quint16(file.width)).U16(quint16(file.height)).U16(1).U16(file.bitCount);
    } else {
        info.U32(file.headerSize).S32(file.width).S32(file.height).U16(1).U16(file.bitCount);
        info.U32(file.compression).U32(file.sizeImage).S32(file.xPelsPerMeter);
        info.S32(file.yPelsPerMeter).U32(file.clrUsed).U32(0);
    }
    for (quint32 mask : file.masks) {
        info.U32(mask);
    }
    for (QRgb color : file.colors) {
        QByteArray entry;
        entry.append(char(qBlue(color))).append(char(qGreen(color))).append(char(qRed(color)));
        if (file.headerSize != 12) {
            entry.append('\0');
        }
        info.Raw(entry);
    }
    const qint64 naturalOffset = 14 + info.Bytes().size();
    const quint32 offBits = file.offBits.value_or(quint32(naturalOffset));
    LittleEndian bmp;
    bmp.Raw("BM").U32(quint32(std::max<qint64>(offBits, naturalOffset) + file.pixels.size()));
    bmp.U32(0).U32(offBits).Raw(info.Bytes());
    if (offBits > naturalOffset) {
        bmp.Raw(QByteArray(offBits - naturalOffset, '\x5A')); // a gap before the pixels
    }
    return bmp.Raw(file.pixels).Bytes();
}

// Rows as given, each padded to 4 bytes.
QByteArray Rows(const QList<QByteArray>& rows) {
    QByteArray bytes;
    for (const QByteArray& row : rows) {
        bytes += row + QByteArray((4 - row.size() % 4) % 4, '\0');
    }
    return bytes;
}

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(text);
}

QByteArray Le16(std::initializer_list<quint16> values) {
    LittleEndian bytes;
    for (quint16 value : values) {
        bytes.U16(value);
    }
    return bytes.Bytes();
}

QByteArray Le32(std::initializer_list<quint32> values) {
    LittleEndian bytes;
    for (quint32 value : values) {
        bytes.U32(value);
    }
    return bytes.Bytes();
}

const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb White = qRgb(255, 255, 255);

// 3 x 2, 8 bits, 4 colours; upright the picture is blue green red over red green blue.
BmpFile EightBitFile() {
    BmpFile file;
    file.width = 3;
    file.height = 2;
    file.bitCount = 8;
    file.clrUsed = 4;
    file.colors = {Black, Red, Green, Blue};
    file.pixels = Rows({Hex("010203"), Hex("030201")}); // bottom row first
    return file;
}

// 2 x 2, 24 bits; upright: red white over green blue.
BmpFile TwentyFourBitFile() {
    BmpFile file;
    file.width = 2;
    file.height = 2;
    file.pixels = Rows({Hex("00ff00ff0000"), Hex("0000ffffffff")});
    return file;
}

quint32 U32At(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

qint32 S32At(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

quint16 U16At(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

QRgb PixelAt(const TDibGraphic& dib, int x, int y) {
    return dib.ToImage().pixel(x, y) | 0xFF000000;
}

// Loads bytes into a picture that already holds another image and expects error E with the
// message; the picture must keep its image.
template <typename E> void ExpectLoadError(const QByteArray& bytes, const char* message) {
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(EightBitFile()));
    const TDibGraphic before = dib;
    try {
        dib.LoadFromBytes(bytes);
        ADD_FAILURE() << "no error, expected: " << message;
    } catch (const E& error) {
        EXPECT_STREQ(error.what(), message);
    } catch (const std::exception& error) {
        ADD_FAILURE() << "wrong error: " << error.what() << ", expected: " << message;
    }
    EXPECT_TRUE(dib.SharesImageWith(before));
    EXPECT_EQ(dib.Width(), 3);
}

// A pipe-like device that hands out at most chunk bytes per read and cannot tell its size.
class SequentialDevice : public QIODevice {
public:
    SequentialDevice(QByteArray data, qint64 chunk) : m_data(std::move(data)), m_chunk(chunk) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 count = std::min({maxSize, m_chunk, m_data.size() - m_pos});
        std::memcpy(data, m_data.constData() + m_pos, count);
        m_pos += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_chunk;
    qint64 m_pos = 0;
};

// Loads each file from a buffer and from a pipe; the number of loads that did not end in
// EDibInvalidDibFile.
int LoadsNotShort(const QList<QByteArray>& files) {
    int failures = 0;
    const auto load = [&](auto&& read) {
        try {
            read();
            ++failures;
        } catch (const EDibInvalidDibFile&) {
        } catch (...) {
            ++failures;
        }
    };
    for (const QByteArray& bytes : files) {
        TDibGraphic dib;
        load([&] { dib.LoadFromBytes(bytes); });
        SequentialDevice pipe(bytes, 4096);
        load([&] { dib.LoadFromStream(pipe); });
    }
    return failures;
}

#if defined(MIRTE_TEST_ASAN)
// The sanitizer's allocator reports every allocation; the test watches the largest.
std::atomic<size_t> g_largestAllocation{0};

void RecordAllocation(const volatile void*, size_t size) {
    size_t largest = g_largestAllocation.load();
    while (size > largest && !g_largestAllocation.compare_exchange_weak(largest, size)) {
    }
}

void IgnoreFree(const volatile void*) {}
#else
// Leaves 512 MiB of address space above what the process uses now, so that an allocation of
// the claimed size fails, then exits with LoadsNotShort.
[[noreturn]] void LoadUnderAddressLimit(const QList<QByteArray>& files) {
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    const rlim_t limit = pages * sysconf(_SC_PAGESIZE) + (rlim_t{512} << 20);
    const rlimit space{limit, limit};
    setrlimit(RLIMIT_AS, &space);
    std::_Exit(LoadsNotShort(files));
}
#endif

} // namespace

// ---- The new picture and the saved layout ---------------------------------------------------

TEST(DibGraphic, NewPictureIsOnePixelOfEightBitsWith256Colours) {
    const TDibGraphic dib;
    EXPECT_EQ(dib.Width(), 1);
    EXPECT_EQ(dib.Height(), 1);
    EXPECT_EQ(dib.BitCount(), 8);
    EXPECT_EQ(dib.ColorCount(), 256);
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_FALSE(dib.IsTopDown());
    EXPECT_FALSE(dib.Empty());
    EXPECT_EQ(dib.XPelsPerMeter(), 3780);
    EXPECT_EQ(dib.YPelsPerMeter(), 3780);
}

TEST(DibGraphic, SavedEightBitImageHasItsPixelsAtOffset1078) {
    const QByteArray bytes = TDibGraphic().SaveToBytes();
    ASSERT_EQ(bytes.size(), 1078 + 4);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(U32At(bytes, 2), 1082u);  // file size
    EXPECT_EQ(U32At(bytes, 6), 0u);     // reserved
    EXPECT_EQ(U32At(bytes, 10), 1078u); // pixel data offset
    EXPECT_EQ(U32At(bytes, 14), 40u);
    EXPECT_EQ(S32At(bytes, 18), 1);
    EXPECT_EQ(S32At(bytes, 22), 1);
    EXPECT_EQ(U16At(bytes, 26), 1);  // planes
    EXPECT_EQ(U16At(bytes, 28), 8);  // bits
    EXPECT_EQ(U32At(bytes, 30), 0u); // compression
    EXPECT_EQ(U32At(bytes, 34), 4u); // pixel data size
    EXPECT_EQ(S32At(bytes, 38), 3780);
    EXPECT_EQ(S32At(bytes, 42), 3780);
    EXPECT_EQ(U32At(bytes, 46), 256u);
}

TEST(DibGraphic, SavesTheColourTableAsBlueGreenRedZero) {
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(EightBitFile()));
    const QByteArray bytes = dib.SaveToBytes();
    EXPECT_EQ(U32At(bytes, 10), 54u + 4 * 4);
    EXPECT_EQ(bytes.mid(54, 16), Hex("00000000"
                                     "0000ff00"
                                     "00ff0000"
                                     "ff000000"));
    EXPECT_EQ(bytes.mid(70), Rows({Hex("010203"), Hex("030201")}));
    EXPECT_EQ(U32At(bytes, 2), quint32(bytes.size()));
}

// ---- Reading --------------------------------------------------------------------------------

TEST(DibGraphicLoad, ReadsEightBitsBottomUpAndTopDownAsTheSamePicture) {
    TDibGraphic bottomUp;
    bottomUp.LoadFromBytes(MakeBmp(EightBitFile()));
    EXPECT_EQ(bottomUp.Width(), 3);
    EXPECT_EQ(bottomUp.Height(), 2);
    EXPECT_EQ(bottomUp.ColorCount(), 4);
    EXPECT_EQ(bottomUp.ColorTable(), (QList<QRgb>{Black, Red, Green, Blue}));
    const QImage image = bottomUp.ToImage();
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.pixel(0, 0), Blue);
    EXPECT_EQ(image.pixel(2, 0), Red);
    EXPECT_EQ(image.pixel(0, 1), Red);
    EXPECT_EQ(image.pixel(2, 1), Blue);

    BmpFile file = EightBitFile();
    file.height = -2;
    file.pixels = Rows({Hex("030201"), Hex("010203")}); // top row first
    TDibGraphic topDown;
    topDown.LoadFromBytes(MakeBmp(file));
    EXPECT_TRUE(topDown.IsTopDown());
    EXPECT_EQ(topDown.Height(), 2);
    EXPECT_EQ(topDown.ToImage(), image);
    // The row order is kept when saving.
    EXPECT_EQ(S32At(topDown.SaveToBytes(), 22), -2);
}

TEST(DibGraphicLoad, ReadsTwentyFourBitsTopDownAndBottomUp) {
    TDibGraphic bottomUp;
    bottomUp.LoadFromBytes(MakeBmp(TwentyFourBitFile()));
    const QImage image = bottomUp.ToImage();
    EXPECT_EQ(image.format(), QImage::Format_BGR888);
    EXPECT_EQ(image.pixel(0, 0), Red);
    EXPECT_EQ(image.pixel(1, 0), White);
    EXPECT_EQ(image.pixel(0, 1), Green);
    EXPECT_EQ(image.pixel(1, 1), Blue);

    BmpFile file = TwentyFourBitFile();
    file.height = -2;
    file.pixels = Rows({Hex("0000ffffffff"), Hex("00ff00ff0000")});
    TDibGraphic topDown;
    topDown.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(topDown.ToImage(), image);
}

TEST(DibGraphicLoad, ReadsOneAndFourBitsWithTheirColours) {
    BmpFile one;
    one.width = 10;
    one.height = 1;
    one.bitCount = 1;
    one.colors = {Red, Blue};
    one.pixels = Rows({Hex("a080")}); // 1010 0000 10
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(one));
    EXPECT_EQ(dib.BitCount(), 1);
    EXPECT_EQ(dib.ColorCount(), 2); // colour count 0 = full count
    const QImage mono = dib.ToImage();
    EXPECT_EQ(mono.format(), QImage::Format_Mono);
    const QList<QRgb> expected{Blue, Red, Blue, Red, Red, Red, Red, Red, Blue, Red};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(mono.pixel(x, 0), expected[x]) << x;
    }

    BmpFile four;
    four.width = 3;
    four.height = 1;
    four.bitCount = 4;
    four.clrUsed = 3; // indexes past the table show black
    four.colors = {White, Green, Blue};
    four.pixels = Rows({Hex("21f0")});
    dib.LoadFromBytes(MakeBmp(four));
    EXPECT_EQ(dib.ColorCount(), 3);
    const QImage indexed = dib.ToImage();
    EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.pixelIndex(0, 0), 2);
    EXPECT_EQ(indexed.pixelIndex(1, 0), 1);
    EXPECT_EQ(indexed.pixelIndex(2, 0), 15);
    EXPECT_EQ(indexed.pixel(0, 0), Blue);
    EXPECT_EQ(indexed.pixel(1, 0), Green);
    EXPECT_EQ(indexed.pixel(2, 0), Black);
}

TEST(DibGraphicLoad, ResolutionZeroBecomes3780BothWays) {
    BmpFile file = TwentyFourBitFile();
    file.xPelsPerMeter = 0;
    file.yPelsPerMeter = 0;
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(dib.XPelsPerMeter(), 3780);
    EXPECT_EQ(dib.YPelsPerMeter(), 3780);
    file.xPelsPerMeter = 0;
    file.yPelsPerMeter = 5000;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(dib.XPelsPerMeter(), 3780);
    EXPECT_EQ(dib.YPelsPerMeter(), 5000);
    EXPECT_EQ(dib.ToImage().dotsPerMeterY(), 5000);
}

TEST(DibGraphicLoad, KeepsTheFirst256Of300ColoursAndStillFindsThePixels) {
    BmpFile file;
    file.width = 2;
    file.height = 1;
    file.bitCount = 8;
    file.clrUsed = 300;
    for (int i = 0; i < 300; ++i) {
        file.colors.append(qRgb(i % 256, i / 256, 7));
    }
    file.pixels = Rows({Hex("ff01")});
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(dib.ColorCount(), 256);
    EXPECT_EQ(dib.ColorTable().last(), qRgb(255, 0, 7));
    EXPECT_EQ(PixelAt(dib, 0, 0), qRgb(255, 0, 7));
    EXPECT_EQ(PixelAt(dib, 1, 0), qRgb(1, 0, 7));
    // Saved, the header's colour count matches the table that is written.
    const QByteArray saved = dib.SaveToBytes();
    EXPECT_EQ(U32At(saved, 46), 256u);
    EXPECT_EQ(U32At(saved, 10), 1078u);
}

TEST(DibGraphicLoad, SkipsAGapBeforeThePixelData) {
    BmpFile file = EightBitFile();
    file.offBits = 14 + 40 + 16 + 37;
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(PixelAt(dib, 0, 0), Blue);
    EXPECT_EQ(dib.PixelData(), Rows({Hex("010203"), Hex("030201")}));
}

TEST(DibGraphicLoad, SixteenBitsWithoutBitFieldsUse555) {
    BmpFile file;
    file.width = 5;
    file.height = 1;
    file.bitCount = 16;
    file.pixels = Rows({Le16({0x7C00, 0x03E0, 0x001F, 0x4210, 0xFC00})});
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_EQ(PixelAt(dib, 0, 0), Red);
    EXPECT_EQ(PixelAt(dib, 1, 0), Green);
    EXPECT_EQ(PixelAt(dib, 2, 0), Blue);
    EXPECT_EQ(PixelAt(dib, 3, 0), qRgb(131, 131, 131)); // 16 * 255 / 31
    EXPECT_EQ(PixelAt(dib, 4, 0), Red);                 // the top bit is no colour
    EXPECT_EQ(dib.PixelData().size(), 16);              // one 24-bit row of 15 + 1 bytes
}

TEST(DibGraphicLoad, SixteenBitsWithBitFields565) {
    BmpFile file;
    file.width = 3;
    file.height = 1;
    file.bitCount = 16;
    file.compression = 3;
    file.masks = {0xF800, 0x07E0, 0x001F};
    file.pixels = Rows({Le16({0xF800, 0x0400, 0x001F})});
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_EQ(PixelAt(dib, 0, 0), Red);
    EXPECT_EQ(PixelAt(dib, 1, 0), qRgb(0, 129, 0)); // 32 * 255 / 63
    EXPECT_EQ(PixelAt(dib, 2, 0), Blue);
}

TEST(DibGraphicLoad, ThirtyTwoBitsWithAndWithoutMasks) {
    BmpFile file;
    file.width = 2;
    file.height = 1;
    file.bitCount = 32;
    file.pixels = Le32({0xFF102030, 0x00FFFFFF});
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_EQ(PixelAt(dib, 0, 0), qRgb(0x10, 0x20, 0x30)); // the top byte is dropped
    EXPECT_EQ(PixelAt(dib, 1, 0), White);

    // Red in the low byte, blue in bits 16..23; a 10-bit red channel scales to 0..255.
    file.compression = 3;
    file.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    file.pixels = Le32({0x00FF8000, 0x000000FF});
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(PixelAt(dib, 0, 0), qRgb(0, 128, 255));
    EXPECT_EQ(PixelAt(dib, 1, 0), Red);
    file.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    file.pixels = Le32({0x20000000, 0x3FFFFFFF});
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(PixelAt(dib, 0, 0), qRgb(127, 0, 0)); // 512 * 255 / 1023
    EXPECT_EQ(PixelAt(dib, 1, 0), White);
}

TEST(DibGraphicLoad, CoreHeaderWithThreeByteColours) {
    BmpFile file;
    file.headerSize = 12;
    file.width = 3;
    file.height = 2;
    file.bitCount = 4;
    for (int i = 0; i < 16; ++i) {
        file.colors.append(qRgb(i * 16, 255 - i, i));
    }
    file.pixels = Rows({Hex("0120"), Hex("f0e0")});
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.BitCount(), 4);
    EXPECT_EQ(dib.ColorCount(), 16);
    EXPECT_EQ(dib.ColorTable()[15], qRgb(240, 240, 15));
    EXPECT_EQ(dib.XPelsPerMeter(), 3780);
    EXPECT_EQ(PixelAt(dib, 0, 0), qRgb(240, 240, 15));
    EXPECT_EQ(PixelAt(dib, 1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(PixelAt(dib, 2, 0), qRgb(224, 241, 14));
    EXPECT_EQ(PixelAt(dib, 1, 1), qRgb(16, 254, 1));
    // Saved with the 40-byte header and 4-byte entries.
    const QByteArray saved = dib.SaveToBytes();
    EXPECT_EQ(U32At(saved, 14), 40u);
    EXPECT_EQ(U32At(saved, 10), 54u + 64);
    TDibGraphic again;
    again.LoadFromBytes(saved);
    EXPECT_EQ(again.ToImage(), dib.ToImage());

    BmpFile rgb;
    rgb.headerSize = 12;
    rgb.width = 1;
    rgb.height = 1;
    rgb.pixels = Rows({Hex("102030")});
    dib.LoadFromBytes(MakeBmp(rgb));
    EXPECT_EQ(dib.ColorCount(), 0);
    EXPECT_EQ(PixelAt(dib, 0, 0), qRgb(0x30, 0x20, 0x10));
}

// ---- Errors ---------------------------------------------------------------------------------

TEST(DibGraphicErrors, AllDeriveFromEDibError) {
    static_assert(std::is_base_of_v<std::runtime_error, EDibError>);
    static_assert(std::is_base_of_v<EDibError, EDibInvalidDib>);
    static_assert(std::is_base_of_v<EDibError, EDibInvalidDibFile>);
    static_assert(std::is_base_of_v<EDibError, EDibInvalidDibPara>);
    static_assert(std::is_base_of_v<EDibError, EDibBadDibType>);
    static_assert(std::is_base_of_v<EDibError, EDibInvalidPalette>);
    static_assert(std::is_base_of_v<EDibError, EDibCompressionFailed>);
    static_assert(std::is_base_of_v<EDibError, EDibCanvasFailed>);
    const EDibInvalidDib error(QStringLiteral("TInternalDib: ビット"));
    EXPECT_EQ(error.Message(), QStringLiteral("TInternalDib: ビット"));
}

TEST(DibGraphicErrors, FileTypeOtherThanBM) {
    QByteArray bytes = MakeBmp(TwentyFourBitFile());
    bytes[1] = 'A';
    ExpectLoadError<EDibInvalidDibFile>(bytes, "TInternalDib.LoadFromFile: File type is invalid");
    ExpectLoadError<EDibInvalidDibFile>("GIF89a",
                                        "TInternalDib.LoadFromFile: File type is invalid");
}

TEST(DibGraphicErrors, BitCounts) {
    BmpFile file = TwentyFourBitFile();
    for (quint16 bits : {0, 2, 15, 48}) {
        file.bitCount = bits;
        ExpectLoadError<EDibInvalidDib>(MakeBmp(file),
                                        "TInternalDib.LoadFromStream: Invalid BitCout");
    }
    file.headerSize = 12;
    for (quint16 bits : {16, 32, 2}) {
        file.bitCount = bits;
        ExpectLoadError<EDibInvalidDib>(MakeBmp(file),
                                        "TInternalDib.LoadFromStream: Invalid BitCount");
    }
}

TEST(DibGraphicErrors, PixelOffsetInsideTheColourTable) {
    const char* message = "TInternalDib.LoadFromFile: bfOffBits is too small";
    BmpFile file = EightBitFile();
    file.offBits = 14 + 40 + 4 * 4 - 1;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), message);

    // Colour count 0 means 256 entries, which the offset must leave room for.
    file.clrUsed = 0;
    file.offBits = 14 + 40 + 4 * 4;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), message);

    // The three masks count too.
    BmpFile masked;
    masked.bitCount = 16;
    masked.compression = 3;
    masked.masks = {0x7C00, 0x03E0, 0x001F};
    masked.pixels = Rows({Le16({0})});
    masked.offBits = 14 + 40 + 11;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(masked), message);

    BmpFile core;
    core.headerSize = 12;
    core.bitCount = 8;
    core.colors = QList<QRgb>(256, Red);
    core.pixels = Rows({Hex("00")});
    core.offBits = 14 + 12 + 3 * 256 - 1;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(core), message);

    // A colour count that cannot fit any offset.
    file = EightBitFile();
    file.clrUsed = 0xFFFFFFFF;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), message);
}

TEST(DibGraphicErrors, HeaderSizesOtherThan40And12) {
    for (quint32 size : {0u, 16u, 64u, 108u, 124u, 0xFFFFFFFFu}) {
        BmpFile file = TwentyFourBitFile();
        file.headerSize = size;
        ExpectLoadError<EDibInvalidDib>(MakeBmp(file),
                                        "TInternalDib.LoadFromStream: Invalid Bitmap Header Size");
    }
}

TEST(DibGraphicErrors, WidthOrHeight) {
    const char* message = "TInternalDib.LoadFromStream: Invalid Width or Height";
    for (auto [width, height] : {std::pair{0, 2}, {-2, 2}, {2, 0}, {INT32_MIN, 1}}) {
        BmpFile file = TwentyFourBitFile();
        file.width = width;
        file.height = height;
        ExpectLoadError<EDibInvalidDib>(MakeBmp(file), message);
    }
    BmpFile core = TwentyFourBitFile();
    core.headerSize = 12;
    core.width = 0;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(core), message);
}

TEST(DibGraphicErrors, ZeroMasks) {
    BmpFile file;
    file.bitCount = 32;
    file.compression = 3;
    file.pixels = Le32({0});
    for (const QList<quint32>& masks :
         {QList<quint32>{0, 0xFF00, 0xFF}, {0xFF0000, 0, 0xFF}, {0xFF0000, 0xFF00, 0}}) {
        file.masks = masks;
        ExpectLoadError<EDibInvalidDib>(MakeBmp(file),
                                        "TInternalDib.LoadFromStream: Invalid Masks");
    }
}

TEST(DibGraphicErrors, CompressionThatDoesNotFitTheBitCount) {
    const char* message = "TInternalDib.LoadFromStream: Invalid Compression";
    for (auto [bits, compression] :
         {std::pair<quint16, quint32>{4, 1}, {8, 2}, {24, 3}, {8, 3}, {24, 1}, {24, 4}, {32, 6}}) {
        BmpFile file = TwentyFourBitFile();
        file.bitCount = bits;
        file.compression = compression;
        file.sizeImage = 16;
        if (compression == 3) {
            file.masks = {1, 2, 4};
        }
        ExpectLoadError<EDibInvalidDib>(MakeBmp(file), message);
    }
}

TEST(DibGraphicErrors, EveryTruncationOfAValidFileFails) {
    BmpFile masked;
    masked.width = 3;
    masked.height = 2;
    masked.bitCount = 16;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    masked.pixels = Rows({Le16({1, 2, 3}), Le16({4, 5, 6})});
    BmpFile core = EightBitFile();
    core.headerSize = 12;
    core.bitCount = 1;
    core.colors = {Red, Blue};
    core.pixels = Rows({Hex("80"), Hex("40")});
    BmpFile rle = EightBitFile();
    rle.compression = 1;
    rle.pixels = Hex("0301 0000 0302 0001");
    rle.sizeImage = rle.pixels.size();
    BmpFile gap = TwentyFourBitFile();
    gap.offBits = 14 + 40 + 20;

    for (const BmpFile& file : {EightBitFile(), TwentyFourBitFile(), masked, core, rle, gap}) {
        const QByteArray whole = MakeBmp(file);
        TDibGraphic dib;
        ASSERT_NO_THROW(dib.LoadFromBytes(whole));
        const TDibGraphic before = dib;
        for (qsizetype length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE(length);
            EXPECT_THROW(dib.LoadFromBytes(whole.left(length)), EDibError);
            SequentialDevice pipe(whole.left(length), 3);
            EXPECT_THROW(dib.LoadFromStream(pipe), EDibError);
            EXPECT_TRUE(dib.SharesImageWith(before));
        }
    }
}

TEST(DibGraphicErrors, ShortPixelDataAndShortHeaderHaveTheirOwnMessages) {
    const QByteArray whole = MakeBmp(EightBitFile());
    ExpectLoadError<EDibInvalidDibFile>(whole.left(whole.size() - 1),
                                        "TInternalDib.LoadFromStream: Pixel data is short");
    ExpectLoadError<EDibInvalidDibFile>(whole.left(20),
                                        "TInternalDib.LoadFromStream: Header is short");
    ExpectLoadError<EDibInvalidDibFile>({}, "TInternalDib.LoadFromStream: Header is short");
    QByteArray bytes = MakeBmp(EightBitFile());
    qToLittleEndian<quint32>(0xFFFFFFF0, bytes.data() + 10); // pixels far past the end
    ExpectLoadError<EDibInvalidDibFile>(bytes, "TInternalDib.LoadFromStream: Pixel data is short");
}

TEST(DibGraphicErrors, ImagesBeyond2GiBAreRefused) {
    const char* tooLarge = "TInternalDib.LoadFromStream: Image is too large";
    const char* shortPixels = "TInternalDib.LoadFromStream: Pixel data is short";
    BmpFile file = TwentyFourBitFile();
    file.width = 0x7FFFFFFF;
    file.height = 0x7FFFFFFF;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), tooLarge);
    file.bitCount = 32;
    file.height = INT32_MIN; // the row count does not fit 32 bits with its sign
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), tooLarge);

    // 65536 x 32768 at 8 bits is exactly 2^31 bytes: allowed, but the data is not there.
    file = EightBitFile();
    file.width = 65536;
    file.height = 32768;
    ExpectLoadError<EDibInvalidDibFile>(MakeBmp(file), shortPixels);
    file.height = -32769;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), tooLarge);

    // 16 bits are held at 24 and 4 bits show at 8: the larger form counts.
    file = TwentyFourBitFile();
    file.bitCount = 16;
    file.width = 65536;
    file.height = 16384; // 2 GiB at 16 bits, 3 GiB at 24
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), tooLarge);
    file.bitCount = 4;
    file.clrUsed = 1;
    file.colors = {Red};
    file.width = 65536;
    file.height = 32769;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), tooLarge);

    // Compressed data claiming more than the limit.
    file = EightBitFile();
    file.compression = 1;
    file.sizeImage = 0x80000001;
    ExpectLoadError<EDibInvalidDib>(MakeBmp(file), tooLarge);
}

TEST(DibGraphicErrors, HugeClaimsAllocateNothingOfTheirSize) {
    // 2^31 bytes of 8-bit rows and of RLE data claimed by headers of small files.
    BmpFile rows = EightBitFile();
    rows.width = 65536;
    rows.height = 32768;
    BmpFile rle = EightBitFile();
    rle.compression = 1;
    rle.sizeImage = 0x80000000;
    rle.pixels = Hex("0001");
    const QList<QByteArray> files{MakeBmp(rows) + QByteArray(1 << 20, '\0'), MakeBmp(rle)};
#if defined(MIRTE_TEST_ASAN)
    static const bool hooked =
        __sanitizer_install_malloc_and_free_hooks(RecordAllocation, IgnoreFree);
    ASSERT_TRUE(hooked);
    g_largestAllocation = 0;
    EXPECT_EQ(LoadsNotShort(files), 0);
    EXPECT_LT(g_largestAllocation.load(), size_t{64} << 20);
#else
    EXPECT_EXIT(LoadUnderAddressLimit(files), ::testing::ExitedWithCode(0), "");
#endif
}

TEST(DibGraphicErrors, RleDataThatCannotPaintItsPictureIsRefusedByBothReaders) {
    // 46000 x 46000 pixels (2 GB of indexes) from two bytes that end the bitmap at once.
    BmpFile file = EightBitFile();
    file.compression = 1;
    file.width = 46000;
    file.height = 46000;
    file.pixels = Hex("0001");
    file.sizeImage = quint32(file.pixels.size());
    const QByteArray bytes = MakeBmp(file);
    TDibGraphic dib;
    EXPECT_THROW(dib.LoadFromBytes(bytes), EDibInvalidDib);
    struct : RowSink {
        void Begin(int, int) override {}
        void Row(const std::uint8_t*) override {}
    } sink;
    EXPECT_THROW(DecodeBmpBytes(bytes, QStringLiteral("huge.bmp"), sink), EPictureError);
}

// ---- RLE ------------------------------------------------------------------------------------

namespace {

TDibGraphic LoadRle(int width, int height, int bits, const QByteArray& data) {
    BmpFile file;
    file.width = width;
    file.height = height;
    file.bitCount = quint16(bits);
    file.compression = bits == 8 ? 1 : 2;
    file.sizeImage = quint32(data.size());
    for (int i = 0; i < (1 << bits); ++i) {
        file.colors.append(qRgb(i, i, i));
    }
    file.pixels = data;
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    return dib;
}

// The indexes of the upright image, line by line.
QList<QByteArray> Indexes(const TDibGraphic& dib) {
    const QImage image = dib.ToImage();
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    QList<QByteArray> lines;
    for (int y = 0; y < image.height(); ++y) {
        lines.append(
            QByteArray(reinterpret_cast<const char*>(image.constScanLine(y)), image.width()));
    }
    return lines;
}

} // namespace

TEST(DibGraphicRle, Rle8RunsLiteralsDeltaAndEndOfLineAreKeptCompressed) {
    // Row 0 (bottom): 3 x index 1, then the literal 2 3 4 of which 4 falls past the width.
    // Row 1: nothing. Row 2: a delta to x 1, then 2 x index 5.
    const QByteArray data = Hex("0301 0003020304 00 0000 00020101 0205 0001");
    const TDibGraphic dib = LoadRle(5, 3, 8, data);
    EXPECT_EQ(dib.Compression(), 1u);
    EXPECT_EQ(dib.BitCount(), 8);
    EXPECT_EQ(dib.PixelData(), data);
    EXPECT_EQ(Indexes(dib),
              (QList<QByteArray>{Hex("0005050000"), Hex("0000000000"), Hex("0101010203")}));

    // Saved and read again, the data stays compressed and unchanged.
    TDibGraphic again;
    again.LoadFromBytes(dib.SaveToBytes());
    EXPECT_EQ(again.Compression(), 1u);
    EXPECT_EQ(again.PixelData(), data);
    EXPECT_EQ(U32At(dib.SaveToBytes(), 34), quint32(data.size()));
}

TEST(DibGraphicRle, Rle4RunsAndLiteralsTakeNibblesInTurn) {
    // Row 0: 5 pixels alternating 1 and 2. Row 1: the literal 3 4 5 (two bytes, no padding).
    const QByteArray data = Hex("0512 0000 00033450 0001");
    const TDibGraphic dib = LoadRle(5, 2, 4, data);
    EXPECT_EQ(dib.Compression(), 2u);
    EXPECT_EQ(Indexes(dib), (QList<QByteArray>{Hex("0304050000"), Hex("0102010201")}));
    EXPECT_EQ(dib.ToImage().pixel(0, 1), qRgb(1, 1, 1));

    // An odd literal of 5 pixels takes 3 bytes and a padding byte.
    const TDibGraphic odd = LoadRle(6, 1, 4, Hex("0005123450ff 0170 0001"));
    EXPECT_EQ(Indexes(odd), (QList<QByteArray>{Hex("010203040507")}));
}

TEST(DibGraphicRle, TopDownRleFillsFromTheTop) {
    const QByteArray data = Hex("0512 0000 00033450 0001");
    BmpFile file;
    file.width = 5;
    file.height = -2;
    file.bitCount = 4;
    file.compression = 2;
    file.clrUsed = 16;
    file.colors = QList<QRgb>(16, Black);
    file.pixels = data; // size 0: the data runs to the end of the file
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(file));
    EXPECT_EQ(dib.PixelData(), data);
    EXPECT_EQ(Indexes(dib), (QList<QByteArray>{Hex("0102010201"), Hex("0304050000")}));
}

TEST(DibGraphicRle, HostileRunsAndDeltasAreCutOffAtTheEdges) {
    // A run far past the width, then a delta far past the top.
    EXPECT_EQ(Indexes(LoadRle(3, 2, 8, Hex("ff07 0002ffff 0509"))),
              (QList<QByteArray>{Hex("000000"), Hex("070707")}));
    // End-of-line far past the top, then more runs: nothing is written.
    EXPECT_EQ(Indexes(LoadRle(2, 1, 8, Hex("0000 0000 0000 0303 ff01"))),
              (QList<QByteArray>{Hex("0000")}));
    // A literal claiming 255 bytes of which 2 are there.
    EXPECT_EQ(Indexes(LoadRle(4, 1, 8, Hex("00ff0909"))), (QList<QByteArray>{Hex("09090000")}));
    // A delta cut short, an odd last byte, no end of bitmap.
    EXPECT_EQ(Indexes(LoadRle(2, 1, 8, Hex("0104 0002 05"))), (QList<QByteArray>{Hex("0400")}));
    // Deltas that walk x far past the width before more runs.
    QByteArray walk;
    for (int i = 0; i < 1000; ++i) {
        walk += Hex("0002ff00 ff06");
    }
    EXPECT_EQ(Indexes(LoadRle(2, 2, 8, Hex("0208") + walk + Hex("0000 0103"))),
              (QList<QByteArray>{Hex("0300"), Hex("0808")}));
    // RLE4 runs and a literal past the width.
    EXPECT_EQ(Indexes(LoadRle(3, 1, 4, Hex("ffab 00ff"))), (QList<QByteArray>{Hex("0a0b0a")}));
    EXPECT_EQ(Indexes(LoadRle(3, 1, 4, Hex("00ff12"))), (QList<QByteArray>{Hex("010200")}));
}

// ---- From and to QImage ---------------------------------------------------------------------

TEST(DibGraphicAssign, TwentyFourBitRoundTripThroughAFile) {
    QImage source(3, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, Red);
    source.setPixel(1, 0, Green);
    source.setPixel(2, 0, Blue);
    source.setPixel(0, 1, qRgb(1, 2, 3));
    source.setPixel(1, 1, White);
    source.setPixel(2, 1, Black);
    TDibGraphic dib;
    dib.Assign(source);
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_EQ(dib.ColorCount(), 0);
    EXPECT_FALSE(dib.IsTopDown());

    TempFolder dir;
    const QString path = dir.File(QStringLiteral("thumb.dib"));
    dib.SaveToFile(path);
    const QByteArray bytes = dir.Read(path);
    ASSERT_EQ(bytes.size(), 54 + 2 * 12);
    EXPECT_EQ(U32At(bytes, 10), 54u);
    EXPECT_EQ(U32At(bytes, 14), 40u);
    EXPECT_EQ(S32At(bytes, 22), 2); // bottom-up
    EXPECT_EQ(U16At(bytes, 28), 24);
    EXPECT_EQ(bytes.mid(54, 12), Hex("030201 ffffff 000000 000000")); // bottom line first
    EXPECT_EQ(bytes.mid(66, 9), Hex("0000ff 00ff00 ff0000"));

    TDibGraphic loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.ToImage().convertToFormat(QImage::Format_RGB32), source);
}

TEST(DibGraphicAssign, IndexedAndMonoKeepDepthAndColourTable) {
    QImage indexed(3, 1, QImage::Format_Indexed8);
    indexed.setColorTable({Red, Green, Blue, White});
    indexed.setPixel(0, 0, 3);
    indexed.setPixel(1, 0, 0);
    indexed.setPixel(2, 0, 2);
    TDibGraphic dib;
    dib.Assign(indexed);
    EXPECT_EQ(dib.BitCount(), 8);
    EXPECT_EQ(dib.ColorCount(), 4);
    EXPECT_EQ(dib.ColorTable(), (QList<QRgb>{Red, Green, Blue, White}));
    EXPECT_EQ(dib.PixelData(), Rows({Hex("030002")}));
    EXPECT_EQ(dib.ToImage().pixel(0, 0), White);

    // No colour table: the full count, as the grey ramp Qt shows.
    indexed.setColorTable({});
    dib.Assign(indexed);
    EXPECT_EQ(dib.ColorCount(), 256);
    EXPECT_EQ(dib.ColorTable()[128], qRgb(128, 128, 128));

    QImage mono(10, 2, QImage::Format_Mono);
    mono.setColorTable({Blue, Red});
    mono.fill(0);
    mono.setPixel(9, 0, 1);
    mono.setPixel(0, 1, 1);
    dib.Assign(mono);
    EXPECT_EQ(dib.BitCount(), 1);
    EXPECT_EQ(dib.ColorTable(), (QList<QRgb>{Blue, Red}));
    EXPECT_EQ(PixelAt(dib, 9, 0), Red);
    EXPECT_EQ(PixelAt(dib, 0, 0), Blue);
    EXPECT_EQ(PixelAt(dib, 0, 1), Red);
    EXPECT_EQ(dib.PixelData().mid(0, 2), Hex("8000")); // bottom row first

    dib.Assign(mono.convertToFormat(QImage::Format_MonoLSB));
    EXPECT_EQ(dib.BitCount(), 1);
    EXPECT_EQ(PixelAt(dib, 9, 0), Red);
    EXPECT_EQ(PixelAt(dib, 8, 0), Blue);
}

TEST(DibGraphicAssign, OtherFormatsBecomeTwentyFourBits) {
    QImage argb(1, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(10, 20, 30, 255));
    QImage grey(1, 1, QImage::Format_Grayscale8);
    grey.fill(77);
    for (const QImage& image : {argb, argb.convertToFormat(QImage::Format_RGB16), grey}) {
        TDibGraphic dib;
        dib.Assign(image);
        EXPECT_EQ(dib.BitCount(), 24);
        EXPECT_EQ(PixelAt(dib, 0, 0), image.pixel(0, 0) | 0xFF000000);
    }
}

TEST(DibGraphicAssign, ResolutionAndNullImage) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Red);
    image.setDotsPerMeterX(5000);
    image.setDotsPerMeterY(6000);
    TDibGraphic dib;
    dib.Assign(image);
    EXPECT_EQ(dib.XPelsPerMeter(), 5000);
    EXPECT_EQ(dib.YPelsPerMeter(), 6000);

    dib.Assign(QImage());
    EXPECT_EQ(dib.Width(), 1);
    EXPECT_EQ(dib.Height(), 1);
    EXPECT_EQ(dib.BitCount(), 8);
    EXPECT_EQ(dib.ColorCount(), 256);
    EXPECT_EQ(dib.XPelsPerMeter(), 3780);
}

TEST(DibGraphicAssign, ImageBeyondTheLimitIsRefusedBeforeConversion) {
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(EightBitFile()));
    const TDibGraphic before = dib;
    // 720 MB of grey, never touched; as 24 bits it would take 2.16 GB.
    const QImage grey(65536, 11000, QImage::Format_Grayscale8);
    if (grey.isNull()) {
        GTEST_SKIP() << "no address space for the test image";
    }
    EXPECT_THROW(dib.Assign(grey), EDibInvalidDibPara);
    EXPECT_TRUE(dib.SharesImageWith(before));
}

// ---- Sharing --------------------------------------------------------------------------------

TEST(DibGraphicShare, CopiesShareUntilOneChanges) {
    TDibGraphic first;
    first.LoadFromBytes(MakeBmp(EightBitFile()));
    TDibGraphic second = first;
    EXPECT_TRUE(second.SharesImageWith(first));
    TDibGraphic third;
    third = first;
    EXPECT_TRUE(third.SharesImageWith(first));

    second.SetPelsPerMeter(1000, 0);
    EXPECT_FALSE(second.SharesImageWith(first));
    EXPECT_EQ(second.XPelsPerMeter(), 1000);
    EXPECT_EQ(second.YPelsPerMeter(), 3780);
    EXPECT_EQ(first.XPelsPerMeter(), 2835);
    EXPECT_EQ(second.ToImage(), first.ToImage().copy()); // the pixels came along
    EXPECT_TRUE(third.SharesImageWith(first));

    // A sole owner changes its image in place.
    const QByteArray* pixels = &second.PixelData();
    second.SetPelsPerMeter(2000, 2000);
    EXPECT_EQ(&second.PixelData(), pixels);

    third.LoadFromBytes(MakeBmp(TwentyFourBitFile()));
    EXPECT_FALSE(third.SharesImageWith(first));
    EXPECT_EQ(first.Width(), 3);
    EXPECT_EQ(third.Width(), 2);

    // Moving copies: the source keeps a usable image.
    // The move that copies is what is tested.
    TDibGraphic moved = std::move(first); // NOLINT(performance-move-const-arg)
    EXPECT_EQ(first.Width(), 3);          // NOLINT(bugprone-use-after-move)
    EXPECT_TRUE(moved.SharesImageWith(first));
}

// ---- Drawing and files ----------------------------------------------------------------------

TEST(DibGraphicDraw, StretchesSmoothlyIntoTheRectangleOnly) {
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, Red);
    source.setPixel(1, 0, Blue);
    TDibGraphic dib;
    dib.Assign(source);

    QImage canvas(60, 30, QImage::Format_RGB32);
    canvas.fill(White);
    {
        QPainter painter(&canvas);
        dib.Draw(painter, QRect(10, 5, 40, 20));
        EXPECT_FALSE(painter.testRenderHint(QPainter::SmoothPixmapTransform)); // restored
        dib.Draw(painter, QRect(0, 0, 0, 30));
    }
    EXPECT_EQ(canvas.pixel(5, 15), White);
    EXPECT_EQ(canvas.pixel(55, 15), White);
    EXPECT_EQ(canvas.pixel(30, 2), White);
    EXPECT_EQ(canvas.pixel(10, 15), Red);
    EXPECT_EQ(canvas.pixel(49, 15), Blue);
    const QRgb middle = canvas.pixel(30, 15);
    EXPECT_GT(qRed(middle), 30); // blended, not the nearest pixel
    EXPECT_GT(qBlue(middle), 30);
}

TEST(DibGraphicFiles, OpenAndWriteFailuresRaiseEDibError) {
    TempFolder dir;
    TDibGraphic dib;
    dib.LoadFromBytes(MakeBmp(EightBitFile()));
    const TDibGraphic before = dib;
    EXPECT_THROW(dib.LoadFromFile(dir.File(QStringLiteral("missing.dib"))), EDibError);
    EXPECT_TRUE(dib.SharesImageWith(before));
    EXPECT_THROW(dib.SaveToFile(dir.File(QStringLiteral("no/such/folder/x.dib"))), EDibError);

    QByteArray full;
    QBuffer readOnly(&full);
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_THROW(dib.SaveToStream(readOnly), EDibError);

    // An existing file is replaced whole; a failed save leaves it alone.
    const QString path = dir.Write(QStringLiteral("x.dib"), "old");
    dib.SaveToFile(path);
    EXPECT_EQ(dir.Read(path), dib.SaveToBytes());
}

TEST(DibGraphicFiles, ReadsFromTheStreamsCurrentPosition) {
    const QByteArray bmp = MakeBmp(TwentyFourBitFile());
    QByteArray bytes = "prefix" + bmp + "suffix";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(6);
    TDibGraphic dib;
    dib.LoadFromStream(buffer);
    EXPECT_EQ(buffer.pos(), 6 + bmp.size());
    EXPECT_EQ(PixelAt(dib, 0, 0), Red);
    SequentialDevice pipe(bmp, 1);
    dib.LoadFromStream(pipe);
    EXPECT_EQ(PixelAt(dib, 1, 1), Blue);
}
