#include "internet_links.h"

#include "generated/mirte_version.h"

#include <QCoreApplication>

namespace mirte {

const TInternetLinks& TInternetLinks::Default() {
    static const TInternetLinks links{
        QUrl(QStringLiteral("https://example.org/mirte/")),
        QUrl(QStringLiteral("https://example.org/mirte/ja/")),
        QUrl(QStringLiteral("https://example.org/photos/")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("InternetLinks", "フォトギャラリー")),
        QUrl(QStringLiteral("https://example.org/illustrations/")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("InternetLinks", "イラスト素材集")),
        QStringLiteral("bugs@example.org"),
    };
    return links;
}

QString TInternetLinks::ShownName(const QString& name) {
    return QCoreApplication::translate("InternetLinks", name.toUtf8().constData());
}

QUrl TInternetLinks::BugReportMail() const {
    // Built as text: QUrl would otherwise re-encode the query of a mailto address.
    // The body names the edition (the language) in use.
    const QString body =
        QCoreApplication::translate("InternetLinks", "ご利用バージョン：Version%1 日本語版")
            .arg(QStringLiteral(MIRTE_VERSION));
    return QUrl(QStringLiteral("mailto:") + BugMailAddress + QStringLiteral("?Body=") + body,
                QUrl::TolerantMode);
}

} // namespace mirte
