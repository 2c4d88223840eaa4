#include "cache/icon_bitmap.h"
#include "dialog_driver.h"
#include "generated/mirte_install.h"
#include "generated/mirte_version.h"
#include "report/font_substitutes.h"
#include "shell/frm_gauge.h"
#include "shell/frm_logo.h"
#include "shell/frm_version.h"
#include "shell/gauge.h"
#include "shell/program_pictures.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>

using namespace mirte;
using namespace mirte::test;

namespace {

const QRgb kNavy = qRgb(0, 0, 128);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

QRgb Inverse(QRgb colour) {
    return qRgb(255 - qRed(colour), 255 - qGreen(colour), 255 - qBlue(colour));
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++Count;
        }
        return false;
    }
};

} // namespace

// A desktop where no window manager moves the activation: while it lives, no window of the
// program hears of a change of activation.
class NoActivationChanges : public QObject {
public:
    NoActivationChanges() : m_quiet(qApp) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        return type == QEvent::ActivationChange || type == QEvent::WindowActivate ||
               type == QEvent::WindowDeactivate;
    }

private:
    QSignalBlocker m_quiet; // nor of the focus window changing
};

class TestShellWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    // 50 % over 281 x 21 with a single border: 139 of the 279 inner columns in the fore colour,
    // the frame black, "50%" centred in inverted colours.
    void gaugeBarAtHalf() {
        TGauge gauge;
        gauge.resize(281, 21);
        gauge.SetForeColor(QColor(kNavy));
        gauge.SetProgress(50);
        QCOMPARE(gauge.PercentDone(), 50);
        const QImage image = gauge.Render();
        QCOMPARE(image.size(), QSize(281, 21));
        const int row = 2; // above the text
        QCOMPARE(image.pixel(0, row), kBlack);
        QCOMPARE(image.pixel(280, row), kBlack);
        QCOMPARE(image.pixel(140, 0), kBlack);
        for (int x = 1; x <= 139; ++x) {
            QCOMPARE(image.pixel(x, row), kNavy);
        }
        for (int x = 140; x <= 279; ++x) {
            QCOMPARE(image.pixel(x, row), kWhite);
        }

        // Every pixel of the inner area is either the colour beneath or its inverse; the
        // inverted ones form the text, centred, over both parts of the bar.
        int left = 1000, right = -1, top = 1000, bottom = -1, overBar = 0, overBack = 0;
        for (int y = 1; y <= 19; ++y) {
            for (int x = 1; x <= 279; ++x) {
                const QRgb beneath = x <= 139 ? kNavy : kWhite;
                const QRgb pixel = image.pixel(x, y);
                if (pixel == beneath) {
                    continue;
                }
                QCOMPARE(pixel, Inverse(beneath));
                (x <= 139 ? overBar : overBack)++;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        QVERIFY(overBar > 0);
        QVERIFY(overBack > 0);
        QVERIFY2(qAbs((left + right) / 2 - 140) <= 3, qPrintable(QString::number(left)));
        QVERIFY(qAbs((top + bottom) / 2 - 10) <= 3);

        gauge.SetShowText(false);
        const QImage bare = gauge.Render();
        for (int x = 1; x <= 279; ++x) {
            QCOMPARE(bare.pixel(x, 10), x <= 139 ? kNavy : kWhite);
        }
    }

    void gaugeBarEnds() {
        TGauge gauge;
        gauge.resize(281, 21);
        gauge.SetShowText(false);
        gauge.SetProgress(100);
        QCOMPARE(gauge.Render().pixel(279, 10), kBlack); // fore colour black by default
        gauge.SetProgress(0);
        QCOMPARE(gauge.Render().pixel(1, 10), kWhite);
        gauge.SetBorderStyle(TGaugeBorderStyle::bsNone);
        gauge.SetProgress(1); // 281 x 1 % = 2.81: two columns
        const QImage image = gauge.Render();
        QCOMPARE(image.pixel(1, 10), kBlack);
        QCOMPARE(image.pixel(2, 10), kWhite);
    }

    void gaugeValues() {
        TGauge gauge;
        QCOMPARE(gauge.MinValue(), 0);
        QCOMPARE(gauge.MaxValue(), 100);
        gauge.SetProgress(150);
        QCOMPARE(gauge.Progress(), 100);
        gauge.SetProgress(-5);
        QCOMPARE(gauge.Progress(), 0);

        gauge.SetMaxValue(3);
        gauge.SetProgress(2);
        QCOMPARE(gauge.PercentDone(), 66); // truncated
        gauge.SetMinValue(3);
        QCOMPARE(gauge.Progress(), 3);    // pulled into the new range
        QCOMPARE(gauge.PercentDone(), 0); // empty range

        gauge.SetMaxValue(100);
        gauge.SetProgress(80);
        gauge.SetMaxValue(50);
        QCOMPARE(gauge.Progress(), 50);

        try {
            gauge.SetMinValue(51);
            QFAIL("a minimum above the maximum was taken");
        } catch (const EInvalidOperation& error) {
            QCOMPARE(error.Message(),
                     QStringLiteral("-2147483647 から 50 の間の値でなければなりません"));
        }
        try {
            gauge.SetMaxValue(2);
            QFAIL("a maximum below the minimum was taken");
        } catch (const EInvalidOperation& error) {
            QCOMPARE(error.Message(),
                     QStringLiteral("3 から 2147483647 の間の値でなければなりません"));
        }
        QCOMPARE(gauge.MinValue(), 3);
        QCOMPARE(gauge.MaxValue(), 50);
    }

    // A progress step that leaves the percentage unchanged does not repaint.
    void gaugeRepaintsOnlyWhenThePercentageChanges() {
        TGauge gauge;
        gauge.resize(120, 20);
        gauge.SetMaxValue(1000);
        gauge.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gauge));
        PaintCounter counter;
        gauge.installEventFilter(&counter);
        QCoreApplication::processEvents();
        counter.Count = 0;
        gauge.SetProgress(5); // still 0 %
        QCoreApplication::processEvents();
        QCOMPARE(counter.Count, 0);
        gauge.SetProgress(25); // 2 %
        QTRY_COMPARE(counter.Count, 1);
    }

    void progressDialog() {
        TfrmGauge dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("印刷の準備中"));
        QCOMPARE(dialog.size(), QSize(297, 94));
        QCOMPARE(dialog.Gauge->geometry(), QRect(8, 12, 281, 21));
        QCOMPARE(dialog.Gauge->ForeColor(), QColor(kNavy));
        QCOMPARE(dialog.Button1->geometry(), QRect(96, 64, 101, 25));
        QCOMPARE(dialog.Button1->text(), QStringLiteral("キャンセル"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("印刷の準備をしています"));
        QCOMPARE(dialog.Label1->pos(), QPoint(72, 40));

        dialog.SetPercent(150);
        QCOMPARE(dialog.Percent, 100);
        QCOMPARE(dialog.Gauge->Progress(), 100);
        dialog.SetPercent(-5);
        QCOMPARE(dialog.Percent, 0);
        QCOMPARE(dialog.Gauge->Progress(), 0);
        dialog.SetPercent(42);
        QCOMPARE(dialog.Gauge->PercentDone(), 42);

        dialog.Cancelled = true;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!dialog.Cancelled); // cleared on every showing
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
        QVERIFY(dialog.Cancelled);
        QTest::keyClick(&dialog, Qt::Key_Escape); // does not hide it behind the job's back
        QVERIFY(dialog.isVisible());
        dialog.hide();
        dialog.show();
        QVERIFY(!dialog.Cancelled);
        dialog.hide();
    }

    // As a print run's progress: shown at 0 % over the other windows, which take no input while
    // it runs; a click on "キャンセル" comes in when the run looks between pages.
    void progressDialogAsAPrintRunsProgress() {
        QWidget owner;
        owner.show();
        TfrmGauge dialog(&owner);
        TPrintProgress& progress = dialog;
        progress.Start();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Percent, 0);
        QVERIFY(QApplication::activeModalWidget() == &dialog);
        progress.PagePrinted(1, 4, 25);
        QCOMPARE(dialog.Gauge->PercentDone(), 25);
        QVERIFY(!progress.CancelRequested());
        QTimer::singleShot(0, dialog.Button1, [&] { dialog.Button1->click(); });
        QTRY_VERIFY(progress.CancelRequested());
        progress.Finish();
        QVERIFY(!dialog.isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // While shown, the progress dialog takes the activation back from other windows.
    void progressDialogKeepsTheActivation() {
        TfrmGauge dialog;
        dialog.show();
        dialog.activateWindow();
        QTRY_VERIFY(dialog.isActiveWindow());
        QWidget other;
        other.resize(100, 100);
        other.show();
        other.activateWindow();
        QTest::qWait(100);
        QVERIFY(dialog.isActiveWindow());
        dialog.hide();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        QTest::qWait(50);
        QVERIFY(other.isActiveWindow()); // a hidden dialog leaves it alone
    }

    // The splash frees itself as soon as another window of the program takes the activation.
    void splashClosesWhenItLosesActivation() {
        QPointer<TfrmLogo> splash = TfrmLogo::ShowSplash();
        QVERIFY(splash);
        QCOMPARE(splash->size(), QSize(421, 130));
        QTRY_VERIFY(splash->isActiveWindow());
        QWidget main;
        main.resize(200, 100);
        main.show();
        main.activateWindow();
        QTRY_VERIFY(splash.isNull());
    }

    // Where no window manager moves the activation, the main window being shown closes it, so
    // that it never stays in front of the grid.
    void splashClosesOnceTheMainWindowIsShown() {
        QPointer<TfrmLogo> splash = TfrmLogo::ShowSplash();
        QTRY_VERIFY(splash && splash->isActiveWindow());
        NoActivationChanges desktop;
        QWidget main;
        main.resize(200, 100);
        main.show();
        QTRY_VERIFY(splash.isNull());
    }

    // A start-up message box is enough to close it.
    void splashClosesWhenAMessageBoxComesUp() {
        QPointer<TfrmLogo> splash = TfrmLogo::ShowSplash();
        QTRY_VERIFY(splash && splash->isActiveWindow());
        bool splashGoneWhileBoxShown = false;
        ShownMessage shown;
        WhenMessageBoxShows(shown, [&](TMsgManage& box) {
            splashGoneWhileBoxShown = splash.isNull() || !splash->isVisible();
            box.Buttons[0]->click();
        });
        ShowMessageBox(QStringLiteral("プリンタが設定されていません。"), QStringLiteral("ミルテ"),
                       {mkCancel});
        QVERIFY(shown.Shown);
        QVERIFY(splashGoneWhileBoxShown);
    }

    void aboutBox() {
        TfrmVersion about;
        QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(about.size(), QSize(324, 309));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Ver." MIRTE_VERSION)); // the project's
        QStringList texts;
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            texts << label->text();
        }
        QVERIFY(texts.contains(QStringLiteral("ミルテ")));
        QVERIFY(texts.contains(QStringLiteral("免責事項")));
        QVERIFY(texts.contains(QStringLiteral("リンク協力")));
        QVERIFY(texts.contains(QStringLiteral(
            "本ソフトを使用した結果のいかなる障害の責任も負いかねますので予めご了承下さい。")));
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    }

    void programPictures() {
        const QImage splash = SplashPicture();
        QCOMPARE(splash.size(), QSize(420, 130));
        QVERIFY(splash.pixel(5, 5) != splash.pixel(415, 125)); // not a flat fill
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
        const QImage about = AboutPicture();
        QCOMPARE(about.size(), QSize(48, 48));
        QCOMPARE(qAlpha(about.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(about.pixel(24, 24)), 255);
    }

    // The program's icon: the theme's under the desktop id, else the renditions compiled in,
    // one for each size the theme gets.
    void programIconFromThemeElseCompiledIn_data() {
        QTest::addColumn<bool>("inTheme");
        QTest::newRow("theme has it") << true;
        QTest::newRow("theme lacks it") << false;
    }
    void programIconFromThemeElseCompiledIn() {
        QFETCH(bool, inTheme);
        const QIcon compiledIn = CompiledInProgramIcon();
        QCOMPARE(compiledIn.availableSizes(),
                 QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
        TempFolder themes;
        themes.Write(QStringLiteral("hicolor/index.theme"),
                     "[Icon Theme]\nName=hicolor\nDirectories=32x32/apps\n\n"
                     "[32x32/apps]\nSize=32\nContext=Applications\nType=Fixed\n");
        QImage expected = compiledIn.pixmap(32, 32).toImage();
        if (inTheme) {
            expected = QImage(32, 32, QImage::Format_ARGB32);
            expected.fill(Qt::red);
            QDir().mkpath(themes.File(QStringLiteral("hicolor/32x32/apps")));
            QVERIFY(expected.save(themes.File("hicolor/32x32/apps/" MIRTE_APP_ID ".png")));
        }
        QIcon::setThemeSearchPaths({themes.Path()});
        QIcon::setThemeName(QStringLiteral("hicolor"));
        const QImage shown = ProgramIcon().pixmap(32, 32).toImage();
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                 expected.convertToFormat(QImage::Format_ARGB32));
    }

    // Without an icon theme the program's own icon is drawn, at (8, 8) on white.
    void iconBitmapWithoutTheme() {
        QIcon::setThemeSearchPaths({});
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
        for (const QString& path : {QStringLiteral("/nowhere/movie.avi"),
                                    QStringLiteral("clip.AVI"), QStringLiteral("a.jpg")}) {
            bool fromTheme = true;
            const QImage bitmap = MakeIconBitmap(path, &fromTheme);
            QCOMPARE(bitmap.size(), QSize(48, 48));
            QVERIFY(!fromTheme);
            QImage expected(48, 48, QImage::Format_RGB32);
            expected.fill(Qt::white);
            QPainter(&expected).drawImage(8, 8, FallbackFileTypeIcon(path));
            QCOMPARE(bitmap.convertToFormat(QImage::Format_RGB32), expected);
            for (int i = 0; i < 48; ++i) {
                QCOMPARE(bitmap.pixel(i, 0), kWhite);
                QCOMPARE(bitmap.pixel(0, i), kWhite);
                QCOMPARE(bitmap.pixel(i, 47), kWhite);
            }
        }
        QVERIFY(FallbackFileTypeIcon(QStringLiteral("a.avi")) !=
                FallbackFileTypeIcon(QStringLiteral("a.jpg")));
    }

    // With a theme that has the type's icon, that icon is used.
    void iconBitmapFromTheme() {
        TempFolder themes;
        themes.Write(QStringLiteral("tiny/index.theme"),
                     "[Icon Theme]\nName=tiny\nDirectories=32x32/mimetypes\n\n"
                     "[32x32/mimetypes]\nSize=32\nContext=MimeTypes\nType=Fixed\n");
        QImage red(32, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        QDir().mkpath(themes.File(QStringLiteral("tiny/32x32/mimetypes")));
        QVERIFY(red.save(themes.File(QStringLiteral("tiny/32x32/mimetypes/video-x-generic.png"))));
        QIcon::setThemeSearchPaths({themes.Path()});
        QIcon::setThemeName(QStringLiteral("tiny"));
        bool fromTheme = false;
        const QImage bitmap = MakeIconBitmap(QStringLiteral("movie.avi"), &fromTheme);
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
        QVERIFY(fromTheme);
        QCOMPARE(bitmap.size(), QSize(48, 48));
        QCOMPARE(bitmap.pixel(8, 8), qRgb(255, 0, 0));
        QCOMPARE(bitmap.pixel(39, 39), qRgb(255, 0, 0));
        QCOMPARE(bitmap.pixel(7, 7), kWhite);
        QCOMPARE(bitmap.pixel(40, 40), kWhite);
    }
};

QTEST_MAIN(TestShellWindows)
#include "test_shell_windows.moc"
