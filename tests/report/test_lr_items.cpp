// Text and picture items as they draw: frame lines and their weights, margins and layout,
// wrapped and turned text, pictures on printers and previews.
#include "fake_printer_device.h"
#include "report/display_mask.h"
#include "report/font_substitutes.h"
#include "report/lr_error.h"
#include "report/lr_image.h"
#include "report/lr_page.h"
#include "report/lr_panels.h"
#include "report/lr_text_item.h"
#include "report/text_lines.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

namespace mirte {
namespace {

// A white canvas with an item drawn on it at a scale, through the item's own PrintItem.
struct Drawn {
    QImage image;
};

QImage DrawItem(TCustomLRItem& item, const TEdgeRect& rect, double scale, QSize size,
                TPrintStatus status = TPrintStatus::stPrint) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TLRCanvas canvas{&painter, false, 0};
    item.PrintItem(canvas, rect, status, scale);
    painter.end();
    return image;
}

bool IsInk(QRgb c) {
    return qGray(c) < 128;
}

// The first and last rows (or columns) with ink along a line through the image.
std::pair<int, int> InkRun(const QImage& image, int fixed, bool alongColumn) {
    int first = -1;
    int last = -1;
    const int n = alongColumn ? image.height() : image.width();
    for (int i = 0; i < n; ++i) {
        const QRgb c = alongColumn ? image.pixel(fixed, i) : image.pixel(i, fixed);
        if (IsInk(c)) {
            if (first < 0) {
                first = i;
            }
            last = i;
        }
    }
    return {first, last};
}

QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsInk(image.pixel(x, y))) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

class ReportItems : public ::testing::Test {
protected:
    void SetUp() override { InstallFontSubstitutes(); }
    VUvudiRoz page;
    TLRLayoutPanel* panel = TLRControl::Create<TLRLayoutPanel>(&page);
};

TEST_F(ReportItems, FrameLinesAtScale625AreSevenWideAroundTheScaledBox) {
    auto* item = TLRControl::Create<TLRItem>(panel);
    item->LineTop = item->LineLeft = item->LineRight = item->LineBottom = TLineStyle::lsSingle;
    const TEdgeRect rect{10, 10, 30, 30};
    const QImage image = DrawItem(*item, rect, 6.25, {260, 260});
    // Out = (62, 62, 181, 181); D = 6: top line at y = 56, left at x = 56, right at x = 181,
    // bottom at y = 181; each 7 wide.
    EXPECT_EQ(InkRun(image, 120, true), std::make_pair(53, 184)); // top 53..59, bottom 178..184
    EXPECT_EQ(InkRun(image, 120, false), std::make_pair(53, 184));
    EXPECT_TRUE(IsInk(image.pixel(120, 59)));
    EXPECT_FALSE(IsInk(image.pixel(120, 60)));
    EXPECT_FALSE(IsInk(image.pixel(120, 177)));
    EXPECT_TRUE(IsInk(image.pixel(120, 178)));
    // Text inside does not cut the lines that run outside the box, in either kind of item.
    item->SetText(QStringLiteral("枠の中の文字"));
    const QImage withText = DrawItem(*item, rect, 6.25, {260, 260});
    EXPECT_EQ(InkRun(withText, 60, false), std::make_pair(53, 184));
    EXPECT_TRUE(IsInk(withText.pixel(120, 56)));
    auto* turned = TLRControl::Create<TLRItem2>(panel);
    turned->LineTop = turned->LineLeft = TLineStyle::lsSingle;
    turned->Escapement = TEscapementStatus::esLeft;
    turned->SetText(QStringLiteral("枠の中の文字"));
    const QImage turnedImage = DrawItem(*turned, rect, 6.25, {260, 260});
    EXPECT_TRUE(IsInk(turnedImage.pixel(120, 56)));
    EXPECT_TRUE(IsInk(turnedImage.pixel(56, 120)));
    EXPECT_EQ(LineWidth(TLineStyle::lsSingle, 6.25), 7);
    EXPECT_EQ(LineWidth(TLineStyle::lsHalf, 6.25), 3);
    EXPECT_EQ(LineWidth(TLineStyle::lsDouble, 6.25), 12);
    EXPECT_EQ(LineWidth(TLineStyle::lsSingle, 0.5), 0);
}

TEST_F(ReportItems, BackgroundAndLinesOnlyWithoutText) {
    auto* item = TLRControl::Create<TLRItem>(panel);
    item->Transparent = false;
    item->SetColor(QColor(200, 0, 0));
    item->SetText(QStringLiteral("文字"));
    item->LineBottom = TLineStyle::lsSingle;
    const QImage lines = DrawItem(*item, {0, 0, 60, 20}, 2, {140, 60}, TPrintStatus::stLinesOnly);
    const QImage full = DrawItem(*item, {0, 0, 60, 20}, 2, {140, 60});
    // The background covers (Out.Left - 2, Out.Top - 2) up to Out's right and bottom.
    EXPECT_EQ(lines.pixel(1, 1), QColor(200, 0, 0).rgb());
    EXPECT_EQ(lines.pixel(117, 20), QColor(200, 0, 0).rgb());
    EXPECT_EQ(lines.pixel(118, 20), qRgb(255, 255, 255));
    EXPECT_TRUE(IsInk(lines.pixel(50, 38))); // the bottom line
    EXPECT_NE(lines, full);                  // the text is only in the full print
    TLRImage picture;
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    picture.SetPicture(red);
    EXPECT_EQ(InkBounds(DrawItem(picture, {0, 0, 4, 4}, 1, {8, 8}, TPrintStatus::stLinesOnly)),
              QRect());
}

TEST_F(ReportItems, MarginsAlignmentAndLayoutPlaceTheText) {
    auto* item = TLRControl::Create<TLRItem>(panel);
    item->SetText(QStringLiteral("IIII"));
    const TEdgeRect rect{0, 0, 100, 40};
    item->SetHMargin(300); // out of range: stays 2
    EXPECT_EQ(item->HMargin(), 2);
    item->SetHMargin(-255);
    EXPECT_EQ(item->HMargin(), -255);
    item->SetHMargin(20);
    const QRect left = InkBounds(DrawItem(*item, rect, 1, {120, 60}));
    item->SetHMargin(2);
    const QRect leftNarrow = InkBounds(DrawItem(*item, rect, 1, {120, 60}));
    EXPECT_EQ(left.left() - leftNarrow.left(), 18);

    item->Alignment = TTextAlignment::taCenter; // ignores HMargin
    const QRect centred = InkBounds(DrawItem(*item, rect, 1, {120, 60}));
    item->SetHMargin(40);
    EXPECT_EQ(InkBounds(DrawItem(*item, rect, 1, {120, 60})), centred);
    EXPECT_NEAR(centred.center().x(), 49, 2);

    item->Alignment = TTextAlignment::taLeftJustify;
    item->SetHMargin(2);
    item->Layout = TTextLayout::tlBottom;
    item->SetVMargin(2);
    TLRCanvas probe{nullptr, false, 0};
    const QFontMetrics metrics(CanvasFont(item->Font(), probe, 1));
    const QRect bottom = InkBounds(DrawItem(*item, rect, 1, {120, 60}));
    // The block's bottom is 2 above Out.Bottom (39): the glyphs end above the descent.
    EXPECT_LE(bottom.bottom(), 37);
    EXPECT_GE(bottom.bottom(), 37 - metrics.descent() - 1);
}

TEST_F(ReportItems, AmpersandsAreDrawnAsCharacters) {
    auto* item = TLRControl::Create<TLRItem>(panel);
    item->SetText(QStringLiteral("Tom & Jerry.jpg"));
    const QRect withAmp = InkBounds(DrawItem(*item, {0, 0, 200, 20}, 1, {220, 30}));
    item->SetText(QStringLiteral("Tom  Jerry.jpg"));
    const QRect without = InkBounds(DrawItem(*item, {0, 0, 200, 20}, 1, {220, 30}));
    EXPECT_GT(withAmp.width(), without.width());
}

TEST_F(ReportItems, LongTextStaysInsideItsBox) {
    for (bool wrap : {false, true}) {
        auto* item = TLRControl::Create<TLRItem>(panel);
        item->WordWrap = wrap;
        item->SetText(QString(400, QChar(0x6F22)));
        const QRect ink = InkBounds(DrawItem(*item, {20, 20, 80, 40}, 1, {200, 200}));
        EXPECT_TRUE(QRect(20, 20, 60, 20).contains(ink)) << wrap;
        auto* turned = TLRControl::Create<TLRItem2>(panel);
        turned->WordWrap = wrap;
        turned->WordWrapNum = 255;
        turned->Escapement = TEscapementStatus::esRight;
        turned->SetText(QString(400, QChar(0x6F22)));
        const QRect turnedInk = InkBounds(DrawItem(*turned, {20, 20, 40, 80}, 1, {200, 200}));
        EXPECT_FALSE(turnedInk.isEmpty());
        EXPECT_TRUE(QRect(20, 20, 20, 60).contains(turnedInk)) << wrap;
    }
}

TEST(ReportTextLines, BreakByCharactersNeverInsideOne) {
    const auto width = [](QStringView s) { return static_cast<int>(s.size()) * 10; };
    // Three per line; the last character never starts a line of its own.
    EXPECT_EQ(BreakLines(QStringLiteral("あいうえおかき"), 30, width, 10),
              (QStringList{QStringLiteral("あいう"), QStringLiteral("えおかき")}));
    // A surrogate pair counts as one character.
    const QString emoji = QString::fromUcs4(U"\U0001F600\U0001F601\U0001F602");
    const auto perChar = [](QStringView s) {
        return static_cast<int>(s.toString().toUcs4().size()) * 10;
    };
    const QStringList split = BreakLines(emoji + emoji, 20, perChar, 10);
    ASSERT_GE(split.size(), 2);
    for (const QString& line : split) {
        EXPECT_FALSE(line.isEmpty() || line.back().isHighSurrogate());
    }
    // A character wider than the width is preceded by an empty line.
    EXPECT_EQ(BreakLines(QStringLiteral("abc"), 5, width, 10),
              (QStringList{QString(), QStringLiteral("a"), QStringLiteral("bc")}));
    // At most maxLines lines, and one more to show that text follows.
    EXPECT_EQ(BreakLines(QStringLiteral("abcdefghij"), 20, width, 2).size(), 3);
}

TEST_F(ReportItems, WordWrapNumLimitsTheLinesAndZeroDrawsNoText) {
    auto* item = TLRControl::Create<TLRItem2>(panel);
    item->WordWrap = true;
    item->Transparent = false;
    item->SetColor(Qt::white);
    item->SetText(QString(30, QChar(0x6F22)));
    TLRCanvas probe{nullptr, false, 0};
    const QFontMetrics metrics(CanvasFont(item->Font(), probe, 1));
    const int oneChar = metrics.horizontalAdvance(QChar(0x6F22));
    const int boxWidth = oneChar * 10 + 4 + 1 + 4; // ten characters a line, after the margin
    const TEdgeRect rect{0, 0, boxWidth, 100};
    item->WordWrapNum = 2;
    const QRect two = InkBounds(DrawItem(*item, rect, 1, {boxWidth + 10, 110}));
    item->WordWrapNum = 3;
    const QRect three = InkBounds(DrawItem(*item, rect, 1, {boxWidth + 10, 110}));
    EXPECT_NEAR(three.height() - two.height(), metrics.height(), 2);
    item->WordWrapNum = 0;
    EXPECT_EQ(InkBounds(DrawItem(*item, rect, 1, {boxWidth + 10, 110})), QRect());

    // Bottom layout: the second (last) line ends at the item's bottom.
    item->WordWrapNum = 2;
    item->Layout = TTextLayout::tlBottom;
    const QRect bottom = InkBounds(DrawItem(*item, rect, 1, {boxWidth + 10, 110}));
    EXPECT_LE(bottom.bottom(), 98);
    EXPECT_GE(bottom.bottom(), 98 - metrics.descent() - 2);
    EXPECT_NEAR(bottom.height(), two.height(), 2);
}

TEST_F(ReportItems, TurnedTextStartsAtItsCorner) {
    auto* item = TLRControl::Create<TLRItem2>(panel);
    item->SetText(QStringLiteral("縦書きの題名"));
    const TEdgeRect rect{10, 10, 40, 150};
    item->Escapement = TEscapementStatus::esRight; // from the top-right corner downwards
    const QRect right = InkBounds(DrawItem(*item, rect, 1, {60, 170}));
    EXPECT_GT(right.height(), right.width() * 2);
    EXPECT_LE(right.right(), 37);
    EXPECT_LE(right.top(), 20);
    item->Escapement = TEscapementStatus::esLeft; // from the bottom-left corner upwards
    const QRect left = InkBounds(DrawItem(*item, rect, 1, {60, 170}));
    EXPECT_GT(left.height(), left.width() * 2);
    EXPECT_GE(left.left(), 10);
    EXPECT_GE(left.bottom(), 140);
    item->Escapement = TEscapementStatus::esTurn;
    const QRect turned = InkBounds(DrawItem(*item, rect, 1, {60, 170}));
    EXPECT_GT(turned.width(), turned.height());
    EXPECT_GE(turned.bottom(), 140);
}

TEST_F(ReportItems, PicturesOnPrinterAndPreview) {
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            picture.setPixel(x, y, qRgb(255, 0, 0)); // a red top-left corner
        }
    }
    TLRImage item;
    item.SetPicture(picture);

    // Preview: the picture fills the rectangle, Stretch or not.
    QImage preview = DrawItem(item, {10, 10, 60, 60}, 2, {150, 150});
    EXPECT_EQ(InkBounds(preview), QRect(20, 20, 100, 100));

    // Printer without Stretch: one picture pixel per design pixel, the top-left part only.
    QImage sheet(400, 400, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    TLRCanvas printer{&painter, true, 192};
    item.PrintItem(printer, {10, 10, 60, 60}, TPrintStatus::stPrint, 2);
    painter.end();
    EXPECT_EQ(InkBounds(sheet), QRect(20, 20, 100, 100));
    EXPECT_EQ(sheet.pixel(25, 25), qRgb(255, 0, 0)); // corner at its own size: 10 px -> 20
    EXPECT_EQ(sheet.pixel(38, 38), qRgb(255, 0, 0));
    EXPECT_EQ(sheet.pixel(42, 42), qRgb(0, 0, 255));

    // A null picture draws nothing.
    item.SetPicture(QImage());
    EXPECT_EQ(InkBounds(DrawItem(item, {0, 0, 50, 50}, 1, {60, 60})), QRect());
}

TEST(ReportPrintPictures, SentAtTheirOwnSizeNeverEnlargedAndCappedAt300Ppi) {
    const QImage picture(512, 384, QImage::Format_RGB32);
    // A box of 2 x 1.5 inches at 1200 dpi takes 600 x 450 pixels: the picture goes as it is.
    EXPECT_EQ(ReducedForPrint(picture, {2400, 1800}, 1200).size(), QSize(512, 384));
    // Half an inch wide: 150 pixels are all that 300 per inch can use.
    EXPECT_EQ(ReducedForPrint(picture, {600, 450}, 1200).size(), QSize(150, 113));
    // A device that cannot tell its resolution gets the picture untouched.
    EXPECT_EQ(ReducedForPrint(picture, {10, 10}, 0).size(), QSize(512, 384));
}

TEST_F(ReportItems, OnlyBitmapsAndJpegsAreAccepted) {
    TLRImage item;
    QImage picture(16, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    auto encode = [&](const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, format);
        return bytes;
    };
    item.SetPictureData(encode("JPEG"));
    EXPECT_EQ(item.Picture().size(), QSize(16, 8));
    item.SetPictureData(encode("BMP"));
    EXPECT_EQ(item.Picture().size(), QSize(16, 8));
    picture = QImage(4, 4, QImage::Format_RGB32);
    try {
        item.SetPictureData(encode("PNG"));
        FAIL() << "a PNG picture was accepted";
    } catch (const ELRError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("イメージはビットマップかJPEGイメージのみ有効です"));
    }
    EXPECT_EQ(item.Picture().size(), QSize(16, 8)); // unchanged
    EXPECT_ANY_THROW(item.SetPictureData(QByteArray("\xFF\xD8\xFF\xE0 broken", 12)));
    EXPECT_EQ(item.Picture().size(), QSize(16, 8));
}

TEST_F(ReportItems, FitToRectPlacesThePictureItem) {
    auto* item = TLRControl::Create<TLRImage>(panel);
    item->SetPicture(QImage(640, 480, QImage::Format_RGB32));
    item->FitToRect({0, 0, 100, 100});
    EXPECT_EQ(item->BoundsRect(), (TEdgeRect{0, 12, 100, 87}));
}

TEST(ReportDisplayMask, NumbersAndEditMasks) {
    EXPECT_EQ(ApplyDisplayMask(QStringLiteral("1234.5"), QStringLiteral("#,##0.00")),
              QStringLiteral("1,234.50"));
    EXPECT_EQ(ApplyDisplayMask(QStringLiteral("-7"), QStringLiteral("000")),
              QStringLiteral("-007"));
    EXPECT_EQ(ApplyDisplayMask(QStringLiteral("20261208"), QString()), QStringLiteral("20261208"));
    EXPECT_EQ(ApplyDisplayMask(QStringLiteral("AB12"), QStringLiteral("LL-00;0;_")),
              QStringLiteral("AB-12"));
}

TEST(ReportFont, SizesFollowTheCanvas) {
    TLRFont font;
    font.Height = 13;
    EXPECT_EQ(font.Size(), 10);
    TLRCanvas preview{nullptr, false, 0};
    EXPECT_EQ(CanvasFont(font, preview, 1).pixelSize(), 13);
    EXPECT_EQ(CanvasFont(font, preview, 2).pixelSize(), 27);
    TLRCanvas printer{nullptr, true, 600};
    EXPECT_EQ(CanvasFont(font, printer, 6.25).pixelSize(), 83);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
}

} // namespace
} // namespace mirte
