// The main window's language as the program starts it: the settings file's APP/Language, else
// the desktop's locale. Each row starts this test program again as a child under the row's
// environment; the child builds the window as the program does and prints its menu titles and
// toolbar captions, which the parent compares with those of the untranslated window, and the
// texts of the window and its dialogs that do not fit their places (none may in English).
#include "print/frm_contact_sheet_print.h"
#include "print/frm_jacket_print.h"
#include "print/frm_preview.h"
#include "print/frm_print_thumbnail.h"
#include "print/print_windows.h"
#include "shell/app_settings.h"
#include "shell/frm_cache.h"
#include "shell/frm_gauge.h"
#include "shell/frm_select_cache_path.h"
#include "shell/frm_thumbnail.h"
#include "shell/frm_version.h"
#include "support/temp_folder.h"
#include "util/ini_file.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QToolBar>
#include <QtTest>
#include <cstdio>

using namespace mirte;

namespace {

constexpr const char* kChildVariable = "MIRTE_TEST_WINDOW_TEXTS";
constexpr QChar kSeparator(0x1e); // captions may span lines
constexpr QChar kGroupSeparator(0x1d);

TWindowOptions Options(const QString& programFolder) {
    TWindowOptions options;
    options.Paths = test::ProgramPathsIn(programFolder);
    options.StartPath = programFolder;
    return options;
}

// The width a control's text needs: its longest line, and a button's icon or a box's arrow.
int TextWidth(const QWidget& control, const QString& text) {
    int width = 0;
    for (const QString& line : text.split(u'\n')) {
        width =
            std::max(width, control.fontMetrics().horizontalAdvance(QString(line).remove(u'&')));
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control);
        button != nullptr && !button->icon().isNull()) {
        width += button->iconSize().width();
    }
    return qobject_cast<const QComboBox*>(&control) != nullptr ? width + 16 : width;
}

// "Object: text" for each label, button and box entry placed by hand (not by a layout, which
// gives room as the texts need it) that its place cuts off.
QStringList CutTexts(const QWidget& window) {
    QStringList cut;
    const auto check = [&cut](const QWidget& control, const QString& text) {
        if (!text.isEmpty() && TextWidth(control, text) > control.width()) {
            cut << control.objectName() + QStringLiteral(": ") + text;
        }
    };
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (control->parentWidget()->layout() != nullptr) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            if (!label->wordWrap()) {
                check(*label, label->text());
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            check(*button, button->text());
        } else if (const auto* box = qobject_cast<const QComboBox*>(control)) {
            for (int i = 0; i < box->count(); ++i) {
                check(*box, box->itemText(i));
            }
        }
    }
    return cut;
}

// The texts a person reads first: the menu titles, then the toolbar's captions.
QStringList WindowTexts(const TfrmThumbnail& window) {
    QStringList texts;
    for (const QAction* menu : window.menuBar()->actions()) {
        texts << menu->text();
    }
    for (const QAbstractButton* button :
         window.findChild<QToolBar*>(QStringLiteral("ToolBar"))->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty()) {
            texts << button->text();
        }
    }
    return texts;
}

// The child: the language chosen and installed as the program's start does, then the texts
// and those cut off in the window and every dialog.
int PrintWindowTexts(QApplication& app, const QString& programFolder) {
    InstallUiLanguage(UiLanguageFromSettings(programFolder + QStringLiteral("/Thumbnail.ini")),
                      app);
    TfrmThumbnail window(Options(programFolder));
    TfrmVersion about;
    TfrmSelectCachePath cacheFolder(programFolder);
    const TPrintWindows& print = window.PrintWindows();
    const QWidget* const shown[] = {&window,
                                    &about,
                                    &cacheFolder,
                                    &print.FrmPrintThumbnail(),
                                    &print.FrmJacketPrint(),
                                    &print.FrmContactSheetPrint(),
                                    &print.Preview(),
                                    window.findChild<TfrmCache*>(),
                                    &window.FrmGauge()};
    QStringList cut;
    for (const QWidget* each : shown) {
        cut << CutTexts(*each);
    }
    const QString output =
        WindowTexts(window).join(kSeparator) + kGroupSeparator + cut.join(kSeparator);
    std::fputs(qUtf8Printable(output), stdout);
    return 0;
}

bool IsAscii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

class TestWindowLanguage : public QObject {
    Q_OBJECT

private slots:
    void followsTheSettingElseTheLocale_data();
    void followsTheSettingElseTheLocale();
};

void TestWindowLanguage::followsTheSettingElseTheLocale_data() {
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("language"); // LANGUAGE, the desktop's list of preferences
    QTest::addColumn<QString>("setting");  // APP/Language; empty: none
    QTest::addColumn<bool>("english");
    const struct {
        const char* name;
        const char* lang;
        const char* language;
        const char* setting;
        bool english;
    } rows[] = {
        {"Japanese desktop", "ja_JP.UTF-8", "", "", false},
        {"English desktop", "en_US.UTF-8", "", "", true},
        {"German desktop", "de_DE.UTF-8", "", "", true},
        {"C locale", "C.UTF-8", "", "", true},
        {"LANGUAGE=fr:ja", "en_US.UTF-8", "fr:ja", "", false},
        {"auto", "en_US.UTF-8", "", "auto", true},
        {"ja on an English desktop", "en_US.UTF-8", "", "ja", false},
        {"en on a Japanese desktop", "ja_JP.UTF-8", "", "en", true},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.name) << QString::fromLatin1(row.lang)
                                << QString::fromLatin1(row.language)
                                << QString::fromLatin1(row.setting) << row.english;
    }
}

void TestWindowLanguage::followsTheSettingElseTheLocale() {
    QFETCH(QString, lang);
    QFETCH(QString, language);
    QFETCH(QString, setting);
    QFETCH(bool, english);
    test::TempFolder program;
    if (!setting.isEmpty()) {
        IniFile ini(program.File(QStringLiteral("Thumbnail.ini")));
        WriteUiLanguageSetting(ini, setting);
    }
    const QStringList japanese = WindowTexts(TfrmThumbnail(Options(program.Path())));

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("LANG"), lang);
    if (!language.isEmpty()) {
        environment.insert(QStringLiteral("LANGUAGE"), language);
    }
    environment.insert(QString::fromLatin1(kChildVariable), program.Path());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QStringList output =
        QString::fromUtf8(child.readAllStandardOutput()).split(kGroupSeparator);
    QCOMPARE(output.size(), 2);
    const QStringList shown = output[0].split(kSeparator);

    QCOMPARE(shown.size(), japanese.size());
    QVERIFY(japanese.size() >= 5);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (english) {
            QVERIFY2(shown[i] != japanese[i] && IsAscii(shown[i]), qPrintable(shown[i]));
        } else {
            QCOMPARE(shown[i], japanese[i]);
        }
    }
    if (english) {
        QVERIFY2(output[1].isEmpty(), qPrintable(output[1])); // nothing cut off
    }
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString childFolder = qEnvironmentVariable(kChildVariable);
    if (!childFolder.isEmpty()) {
        return PrintWindowTexts(app, childFolder);
    }
    TestWindowLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_language.moc"
