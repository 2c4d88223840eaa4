// The preview window: its layout arithmetic in both zoom modes, the page counter and the
// buttons, the wheel, the smallest size, and the page drawn in its frame.
#include "print/frm_preview.h"
#include "report/font_substitutes.h"

#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

using namespace mirte;

class TestPreview : public QObject {
    Q_OBJECT

private:
    // A preview whose scroll box is exactly `box`.
    static void SizeBox(TfrmPreview& preview, QSize box) {
        preview.resize(box.width(), box.height() + 31);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QTRY_COMPARE(preview.PreviewPosition->size(), box);
    }

    static QImage Page(QSize size) {
        QImage page(size, QImage::Format_RGB32);
        page.fill(Qt::white);
        return page;
    }

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void layoutArithmetic_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("page");
        QTest::addColumn<QRect>("image");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("fit landscape")
            << 0 << QSize(1000, 700) << QSize(2246, 1588) << QRect(34, 20, 933, 660) << false;
        QTest::newRow("width landscape")
            << 1 << QSize(1000, 700) << QSize(2246, 1588) << QRect(12, 20, 960, 679) << true;
        QTest::newRow("width short page")
            << 1 << QSize(1000, 700) << QSize(2000, 500) << QRect(20, 20, 960, 240) << false;
        QTest::newRow("fit portrait") << 0 << QSize(1000, 700) << QSize(1588, 2246)
                                      << QRect(266, 20, 467, 660) << false; // 266.5 -> 266
    }

    void layoutArithmetic() {
        QFETCH(int, zoom);
        QFETCH(QSize, box);
        QFETCH(QSize, page);
        QFETCH(QRect, image);
        QFETCH(bool, scrolls);
        const TPreviewPlacement p = PlacePreview(
            zoom == 0 ? TPreviewZoom::ZoomToFit : TPreviewZoom::ZoomToWidth, box, page, 20, 16);
        QCOMPARE(p.Image, image);
        QCOMPARE(p.Scrolls, scrolls);
    }

    void windowPlacesThePageInBothModes() {
        TfrmPreview preview;
        SizeBox(preview, QSize(1000, 700));
        QVERIFY(preview.btnZoomToWidth->isChecked()); // the initial mode
        preview.ShowPage(Page(QSize(2246, 1588)), 1, 3);
        QCOMPARE(preview.PreviewImage->geometry(), QRect(12, 20, 960, 679));
        QVERIFY(preview.PreviewPosition->verticalScrollBar()->isVisible());

        preview.btnZoomToFit->click();
        QVERIFY(!preview.btnZoomToWidth->isChecked());
        QCOMPARE(preview.PreviewImage->geometry(), QRect(34, 20, 933, 660));

        // A resize lays the page out again in the current mode.
        preview.resize(800, 731);
        QTRY_COMPARE(preview.PreviewPosition->width(), 800);
        const QRect fitted =
            PlacePreview(TPreviewZoom::ZoomToFit, QSize(800, 700), QSize(2246, 1588), 20, 16).Image;
        QCOMPARE(preview.PreviewImage->geometry(), fitted);
    }

    void thePageIsFramedInsideItsPicture() {
        TfrmPreview preview;
        SizeBox(preview, QSize(1000, 700));
        preview.SetZoom(TPreviewZoom::ZoomToFit);
        QImage page = Page(QSize(2246, 1588));
        page.fill(QColor(0, 200, 0));
        preview.ShowPage(page, 1, 1);
        const QImage shown = preview.PreviewImage->Picture().toImage();
        const qreal r = shown.devicePixelRatio();
        // 933 x 660: mx = 46, my = 33; the frame at 45 and 33 - 1, the page inside.
        auto at = [&](int x, int y) { return QColor(shown.pixel(int(x * r), int(y * r))); };
        QCOMPARE(at(45, 300), QColor(Qt::black));
        QCOMPARE(at(46, 300), QColor(0, 200, 0));
        QCOMPARE(at(886, 300), QColor(0, 200, 0));
        QCOMPARE(at(887, 300), QColor(Qt::black));
        QCOMPARE(at(400, 32), QColor(Qt::black));
        QCOMPARE(at(400, 627), QColor(Qt::black));
        QVERIFY(at(10, 10) != QColor(Qt::black));

        preview.ClearPage();
        QVERIFY(preview.PageImage().isNull());
    }

    // Not a check: with MIRTE_SCREENSHOT_DIR set, saves how the window looks with a demo page,
    // for a person to look at (run under xvfb-run with -platform xcb).
    void screenshot() {
        const QString dir = qEnvironmentVariable("MIRTE_SCREENSHOT_DIR");
        if (dir.isEmpty()) {
            QSKIP("MIRTE_SCREENSHOT_DIR is not set");
        }
        const QImage page(qEnvironmentVariable("MIRTE_SCREENSHOT_PAGE"));
        QVERIFY(!page.isNull());
        TfrmPreview preview;
        SizeBox(preview, QSize(900, 640));
        preview.ShowPage(page, 1, 2);
        QTest::qWait(200);
        QVERIFY(preview.grab().save(dir + QStringLiteral("/preview_width.png")));
        preview.btnZoomToFit->click();
        QTest::qWait(200);
        QVERIFY(preview.grab().save(dir + QStringLiteral("/preview_fit.png")));
    }

    void counterAndButtons() {
        TfrmPreview preview;
        preview.ShowPage(Page(QSize(100, 141)), 1, 1);
        QCOMPARE(preview.pnlPageNumber->text(), QStringLiteral("1/1"));
        for (QToolButton* b :
             {preview.btnFirst, preview.btnPrevios, preview.btnNext, preview.btnLast}) {
            QVERIFY(!b->isEnabled());
        }
        preview.ShowPage(Page(QSize(100, 141)), 3, 12);
        QCOMPARE(preview.pnlPageNumber->text(), QStringLiteral("3/12"));
        QVERIFY(preview.btnFirst->isEnabled() && preview.btnLast->isEnabled());
        preview.ShowPage(Page(QSize(100, 141)), 12, 12);
        QVERIFY(preview.btnPrevios->isEnabled());
        QVERIFY(!preview.btnNext->isEnabled() && !preview.btnLast->isEnabled());

        int next = 0;
        int printed = 0;
        preview.OnNext = [&] { ++next; };
        preview.OnPrintOut = [&] { ++printed; };
        preview.ShowPage(Page(QSize(100, 141)), 1, 2);
        preview.btnNext->click();
        preview.btnPrintOut->click();
        preview.btnPrevios->click(); // disabled, and unassigned anyway
        QCOMPARE(next, 1);
        QCOMPARE(printed, 1);
        QCOMPARE(preview.windowTitle(), QStringLiteral("プレビュー"));
    }

    void theWheelStopsAtBothEnds() {
        TfrmPreview preview;
        SizeBox(preview, QSize(600, 400));
        preview.ShowPage(Page(QSize(1000, 4000)), 1, 1); // tall: it scrolls
        QScrollBar* bar = preview.PreviewPosition->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        auto wheel = [&](int delta, int pixels = 0) {
            QWheelEvent event(QPointF(50, 50), preview.PreviewPosition->mapToGlobal(QPoint(50, 50)),
                              QPoint(0, pixels), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(preview.PreviewPosition->viewport(), &event);
        };
        wheel(120);
        QCOMPARE(bar->value(), 0);
        wheel(-120);
        QCOMPARE(bar->value(), 8);
        for (int i = 0; i < 7; ++i) {
            wheel(-15); // a fine wheel: eight of these make a notch
        }
        QCOMPARE(bar->value(), 8);
        wheel(-15);
        QCOMPARE(bar->value(), 16);
        wheel(-3, -5); // a touchpad: its pixels count
        QCOMPARE(bar->value(), 21);
        wheel(3, 30);
        QCOMPARE(bar->value(), 0);
        bar->setValue(bar->maximum() - 3);
        wheel(-120);
        QCOMPARE(bar->value(), bar->maximum());
        // A new page starts at the top.
        preview.ShowPage(Page(QSize(1000, 4000)), 1, 1);
        QCOMPARE(bar->value(), 0);
    }

    void cannotBeMadeSmallerThan250() {
        TfrmPreview preview;
        preview.show();
        preview.resize(100, 100);
        QVERIFY(preview.width() >= 250);
        QVERIFY(preview.height() >= 250);
        QCOMPARE(preview.minimumSize(), QSize(250, 250));
    }
};

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
