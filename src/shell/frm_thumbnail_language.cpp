// The main window's choice of the user interface's language (Settings > Language), kept in
// APP/Language of the settings file and applied at the next start.
#include "app_settings.h"
#include "frm_thumbnail.h"
#include "msg_manage.h"
#include "util/ini_file.h"

#include <QActionGroup>
#include <QMenu>

namespace mirte {

void TfrmThumbnail::BuildLanguageMenu(QMenu* settings) {
    // Named in both languages, so that whoever cannot read the one shown still finds it.
    QMenu* menu = settings->addMenu(tr("言語 (Language)(&L)"));
    menu->setObjectName(QStringLiteral("MMLanguage"));
    auto* group = new QActionGroup(menu);
    // The languages by their own names, whichever is shown.
    const std::pair<const char*, QString> choices[] = {
        {kUiLanguageAuto, tr("デスクトップに合わせる")},
        {kUiLanguageJapanese, QStringLiteral("日本語")},
        {kUiLanguageEnglish, QStringLiteral("English")},
    };
    for (const auto& [value, caption] : choices) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QStringLiteral("MMLanguage_") + QLatin1String(value));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, value = QString::fromLatin1(value)] { ChooseLanguage(value); });
    }
    menu->addSeparator();
    menu->addAction(tr("次回の起動から切り替わります"))->setEnabled(false);
    // The file decides, as it will at the next start.
    connect(menu, &QMenu::aboutToShow, this, &TfrmThumbnail::ShowLanguageSetting);
}

void TfrmThumbnail::ShowLanguageSetting() {
    const QString kept = ReadUiLanguageSetting(*m_iniFile);
    if (auto* action = findChild<QAction*>(QStringLiteral("MMLanguage_") + kept)) {
        action->setChecked(true);
    }
}

void TfrmThumbnail::ChooseLanguage(const QString& value) {
    QString failure;
    if (m_iniFile->IsReadOnly()) {
        failure = tr("設定ファイルが読み取り専用のため、言語の設定を保存できません。");
    } else {
        try {
            WriteUiLanguageSetting(*m_iniFile, value);
            return;
        } catch (const EIniFileError& error) {
            failure = error.Message();
        }
    }
    ShowLanguageSetting(); // what the next start will take
    ShowMessage(failure, {mkOK});
}

} // namespace mirte
