#include "ui_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <atomic>
#include <memory>

namespace mirte {

namespace {

// The translation that lrelease builds from translations/mirte_en.ts, compiled in.
constexpr const char* kEnglishTranslation = ":/i18n/mirte_en.qm";

bool InstallTranslator(QCoreApplication& app, const QString& file, const QString& folder = {}) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder)) {
        return false;
    }
    translator->setParent(&app); // the application owns it from here
    return QCoreApplication::installTranslator(translator.release());
}

std::atomic<TUiLanguage> g_shown{TUiLanguage::Japanese};

} // namespace

TUiLanguage ChooseUiLanguage(QStringView setting, const QStringList& desktopLanguages) {
    if (setting == QLatin1String(kUiLanguageJapanese)) {
        return TUiLanguage::Japanese;
    }
    if (setting == QLatin1String(kUiLanguageEnglish)) {
        return TUiLanguage::English;
    }
    for (const QString& language : desktopLanguages) {
        // "ja", "ja-JP", "ja_JP.UTF-8": the language is what comes before the first separator.
        QStringView code = language;
        for (qsizetype i = 0; i < code.size(); ++i) {
            if (QStringView(u"-_.@").contains(code[i])) {
                code.truncate(i);
                break;
            }
        }
        if (code.compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0) {
            return TUiLanguage::Japanese;
        }
        if (code.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0) {
            return TUiLanguage::English;
        }
    }
    return TUiLanguage::English;
}

TUiLanguage DesktopUiLanguage() {
    return ChooseUiLanguage(QString::fromLatin1(kUiLanguageAuto), QLocale::system().uiLanguages());
}

bool InstallUiLanguage(TUiLanguage language, QCoreApplication& app) {
    if (language == TUiLanguage::Japanese) {
        g_shown = TUiLanguage::Japanese;
        InstallTranslator(app, QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        return true;
    }
    if (!InstallTranslator(app, QString::fromLatin1(kEnglishTranslation))) {
        return false;
    }
    g_shown = TUiLanguage::English;
    return true;
}

TUiLanguage ShownUiLanguage() {
    return g_shown;
}

} // namespace mirte
