#include "dialog_driver.h"
#include "report/font_substitutes.h"
#include "shell/msg_manage.h"

#include <QFontMetrics>
#include <QTest>
#include <thread>

using namespace mirte;
using namespace mirte::test;

class TestMsgManage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void layoutPerButtonCount_data() {
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<QList<int>>("lefts");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("clicked");
        QTest::newRow("one OK") << QList<int>{mkOK} << 340 << QList<int>{133} << QStringList{"OK"}
                                << 1;
        QTest::newRow("OK and cancel") << QList<int>{mkOK, mkCancel} << 380 << QList<int>{80, 200}
                                       << QStringList{"OK", "キャンセル"} << 2;
        QTest::newRow("three") << QList<int>{mkAbort, mkRetry, mkIgnore} << 390
                               << QList<int>{30, 140, 250} << QStringList{"中止", "再試行", "無視"}
                               << 3;
        QTest::newRow("yes no") << QList<int>{mkYes, mkNo} << 380 << QList<int>{80, 200}
                                << QStringList{"はい", "いいえ"} << 1;
        QTest::newRow("unknown kind")
            << QList<int>{7} << 340 << QList<int>{133} << QStringList{""} << 1;
    }
    // The box's size, each button's place and caption, and the answer of a click.
    void layoutPerButtonCount() {
        QFETCH(QList<int>, kinds);
        QFETCH(int, clientWidth);
        QFETCH(QList<int>, lefts);
        QFETCH(QStringList, captions);
        QFETCH(int, clicked);
        std::vector<std::uint8_t> bytes(kinds.begin(), kinds.end());
        QSize formSize;
        QList<QRect> places;
        ShownMessage shown;
        WhenMessageBoxShows(shown, [&](TMsgManage& box) {
            formSize = box.Form->size();
            for (QPushButton* button : box.Buttons) {
                places << button->geometry();
            }
            box.Buttons.at(clicked - 1)->click();
        });
        const int answer =
            MsgManage().ShowMessageBox(QStringLiteral("テスト"), QStringLiteral("ミルテ"), bytes);
        QVERIFY(shown.Shown);
        QCOMPARE(answer, clicked);
        QCOMPARE(formSize, QSize(clientWidth, 100));
        QCOMPARE(shown.Caption, QStringLiteral("ミルテ"));
        QCOMPARE(shown.Buttons, captions);
        QCOMPARE(places.size(), lefts.size());
        for (int i = 0; i < lefts.size(); ++i) {
            QCOMPARE(places[i], QRect(lefts[i], 65, 85, 25));
        }
        QVERIFY(MsgManage().Form.isNull()); // freed once answered
    }

    void closeBoxAnswersMinusOne() {
        ShownMessage shown;
        WhenMessageBoxShows(shown, [](TMsgManage& box) { box.Form->close(); });
        QCOMPARE(
            ShowMessageBox(QStringLiteral("閉じる"), QStringLiteral("ミルテ"), {mkOK, mkCancel}),
            -1);
        QVERIFY(shown.Shown);
    }

    // Enter presses the focused button, the first one at first; Escape does nothing.
    void enterPressesTheFocusedButtonAndEscapeIsIgnored() {
        ShownMessage first;
        bool firstFocused = false;
        WhenMessageBoxShows(first, [&firstFocused](TMsgManage& box) {
            firstFocused = box.Form->focusWidget() == box.Buttons[0];
            QTest::keyClick(box.Buttons[0], Qt::Key_Return);
        });
        QCOMPARE(ShowMessageBox(QStringLiteral("a"), QStringLiteral("ミルテ"), {mkOK, mkCancel}),
                 1);
        QVERIFY(first.Shown);
        QVERIFY(firstFocused);

        ShownMessage second;
        bool stillOpenAfterEscape = false;
        WhenMessageBoxShows(second, [&stillOpenAfterEscape](TMsgManage& box) {
            QTest::keyClick(box.Buttons[0], Qt::Key_Escape);
            QCoreApplication::processEvents();
            stillOpenAfterEscape = box.Form && box.Form->isVisible();
            box.Buttons[2]->setFocus();
            QTest::keyClick(box.Buttons[2], Qt::Key_Enter);
        });
        QCOMPARE(
            ShowMessageBox(QStringLiteral("b"), QStringLiteral("ミルテ"), {mkYes, mkNo, mkCancel}),
            3);
        QVERIFY(stillOpenAfterEscape);
    }

    // A short text sits centred on one line; a long one wraps in a label 20 pixels narrower
    // than the box.
    void labelPlaceAndWrapping() {
        QRect shortPlace;
        ShownMessage shortBox;
        WhenMessageBoxShows(shortBox, [&shortPlace](TMsgManage& box) {
            shortPlace = box.Label->geometry();
            box.Buttons[0]->click();
        });
        const QString shortText = QStringLiteral("ReadMeファイルが存在しません。");
        ShowMessageBox(shortText, QStringLiteral("ミルテ"));
        QVERIFY(shortBox.Shown);
        QCOMPARE(shortBox.Text, shortText);
        QCOMPARE(shortPlace.top(), 20);
        QCOMPARE(shortPlace.height(), 20);
        QVERIFY(shortPlace.width() < 330);
        QVERIFY(qAbs(shortPlace.left() - (340 - shortPlace.right() - 1)) <= 1); // centred

        QRect longPlace;
        ShownMessage longBox;
        WhenMessageBoxShows(longBox, [&longPlace](TMsgManage& box) {
            longPlace = box.Label->geometry();
            box.Buttons[0]->click();
        });
        ShowMessageBox(QStringLiteral("バックカード印刷をする前に、表示されている画像の中からお好"
                                      "みの画像をクリックして選んでください。"),
                       QStringLiteral("ミルテ"));
        QVERIFY(longBox.Shown);
        QCOMPARE(longPlace.width(), 320);
        QCOMPARE(longPlace.left(), 10);
        QVERIFY(longPlace.height() > 20); // more than one line
    }

    // A box opened while another is up: each answers for itself.
    void nestedBoxes() {
        ShownMessage outer;
        ShownMessage inner;
        int innerAnswer = 0;
        WhenMessageBoxShows(outer, [&](TMsgManage& box) {
            QPushButton* outerSecond = box.Buttons[1];
            ClickInNextMessageBox(inner, 1);
            innerAnswer = ShowMessageBox(QStringLiteral("内側"), QStringLiteral("ミルテ"));
            outerSecond->click();
        });
        QCOMPARE(ShowMessageBox(QStringLiteral("外側"), QStringLiteral("ミルテ"), {mkYes, mkNo}),
                 2);
        QVERIFY(inner.Shown);
        QCOMPARE(inner.Text, QStringLiteral("内側"));
        QCOMPARE(innerAnswer, 1);
        QVERIFY(MsgManage().Form.isNull());
    }

    void offTheGuiThreadNothingIsShown() {
        int answer = 0;
        std::thread worker(
            [&answer] { answer = ShowMessageBox(QStringLiteral("x"), QStringLiteral("ミルテ")); });
        worker.join();
        QCOMPARE(answer, -1);
        QVERIFY(MsgManage().Form.isNull());
    }
};

QTEST_MAIN(TestMsgManage)
#include "test_msg_manage.moc"
