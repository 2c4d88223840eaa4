#include "internet_links.h"

#include "generated/mirte_version.h"

namespace mirte {

const TInternetLinks& TInternetLinks::Default() {
    static const TInternetLinks links{
        QUrl(QStringLiteral("https://example.org/mirte/")),
        QUrl(QStringLiteral("https://example.org/mirte/ja/")),
        QUrl(QStringLiteral("https://example.org/photos/")),
        QStringLiteral("フォトギャラリー"),
        QUrl(QStringLiteral("https://example.org/illustrations/")),
        QStringLiteral("イラスト素材集"),
        QStringLiteral("bugs@example.org"),
    };
    return links;
}

QUrl TInternetLinks::BugReportMail() const {
    // Built as text: QUrl would otherwise re-encode the query of a mailto address.
    return QUrl(QStringLiteral("mailto:") + BugMailAddress +
                    QStringLiteral("?Body=ご利用バージョン：Version" MIRTE_VERSION " 日本語版"),
                QUrl::TolerantMode);
}

} // namespace mirte
