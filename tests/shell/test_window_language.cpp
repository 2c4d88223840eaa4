// The main window's language as the program starts it: the settings file's APP/Language, else
// the desktop's locale. Each row starts this test program again as a child under the row's
// environment; the child builds the window as the program does and prints its menu titles and
// toolbar captions, which the parent compares with those of the untranslated window.
#include "shell/app_settings.h"
#include "shell/frm_thumbnail.h"
#include "support/temp_folder.h"
#include "util/ini_file.h"

#include <QAbstractButton>
#include <QMenuBar>
#include <QProcess>
#include <QToolBar>
#include <QtTest>
#include <cstdio>

using namespace mirte;

namespace {

constexpr const char* kChildVariable = "MIRTE_TEST_WINDOW_TEXTS";
constexpr QChar kSeparator(0x1e); // captions may span lines

// The texts a person reads first: the menu titles, then the toolbar's captions.
QStringList WindowTexts(const QString& programFolder) {
    TWindowOptions options;
    options.Paths.ExeDir = programFolder + QLatin1Char('/');
    options.Paths.ExeName = options.Paths.ExeDir + QStringLiteral("mirte");
    options.Paths.IniFileName = options.Paths.ExeDir + QStringLiteral("Thumbnail.ini");
    options.Paths.DefaultCacheDir = options.Paths.ExeDir + QStringLiteral("Temp");
    options.StartPath = programFolder;
    TfrmThumbnail window(options);
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

// The child: the language chosen and installed as the program's start does, then the texts.
int PrintWindowTexts(QApplication& app, const QString& programFolder) {
    InstallUiLanguage(UiLanguageFromSettings(programFolder + QStringLiteral("/Thumbnail.ini")),
                      app);
    std::fputs(qUtf8Printable(WindowTexts(programFolder).join(kSeparator)), stdout);
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
    QTest::newRow("Japanese desktop") << "ja_JP.UTF-8"
                                      << ""
                                      << "" << false;
    QTest::newRow("English desktop") << "en_US.UTF-8"
                                     << ""
                                     << "" << true;
    QTest::newRow("German desktop") << "de_DE.UTF-8"
                                    << ""
                                    << "" << true;
    QTest::newRow("C locale") << "C.UTF-8"
                              << ""
                              << "" << true;
    QTest::newRow("LANGUAGE=fr:ja") << "en_US.UTF-8"
                                    << "fr:ja"
                                    << "" << false;
    QTest::newRow("auto") << "en_US.UTF-8"
                          << ""
                          << "auto" << true;
    QTest::newRow("ja on an English desktop") << "en_US.UTF-8"
                                              << ""
                                              << "ja" << false;
    QTest::newRow("en on a Japanese desktop") << "ja_JP.UTF-8"
                                              << ""
                                              << "en" << true;
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
    const QStringList japanese = WindowTexts(program.Path());

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
    const QStringList shown = QString::fromUtf8(child.readAllStandardOutput()).split(kSeparator);

    QCOMPARE(shown.size(), japanese.size());
    QVERIFY(japanese.size() >= 5);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (english) {
            QVERIFY2(shown[i] != japanese[i] && IsAscii(shown[i]), qPrintable(shown[i]));
        } else {
            QCOMPARE(shown[i], japanese[i]);
        }
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
