#include "frm_version.h"

#include "generated/mirte_version.h"
#include "print/dialog_util.h"
#include "program_pictures.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>

namespace mirte {

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& place, bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

QFont HeadingFont() {
    QFont font = WindowFont(17);
    font.setBold(true);
    return font;
}

} // namespace

TfrmVersion::TfrmVersion(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("バージョン情報"));
    setWindowIcon(ProgramIcon());
    setFont(WindowFont(12));
    setFixedSize(324, 309);

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(AboutPicture()));
    picture->setGeometry(16, 14, 48, 48);

    QLabel* product = AddLabel(this, tr("ミルテ"), QRect(80, 28, 70, 22));
    product->setFont(HeadingFont());
    product->adjustSize();
    lblVersion =
        AddLabel(this, VersionText(), QRect(product->geometry().right() + 12, 28, 150, 22));
    lblVersion->setFont(HeadingFont());

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(12, 72, 300, 2);

    AddLabel(this, tr("制作：ミルテ開発チーム"), QRect(24, 86, 280, 16));
    AddLabel(this, tr("連絡先：ヘルプメニューの「バグレポート」から"), QRect(24, 104, 280, 16));

    AddLabel(this, tr("免責事項"), QRect(24, 132, 280, 16));
    AddLabel(this,
             tr("本ソフトを使用した結果のいかなる障害の責任も負いかねますので予めご了"
                "承下さい。"),
             QRect(40, 152, 225, 37), true);

    AddLabel(this, tr("リンク協力"), QRect(24, 200, 280, 16));
    AddLabel(this,
             tr("インターネットメニューの無料写真画像・無料イラストは、"
                "提携サイトのご協力によるものです。"),
             QRect(40, 220, 260, 37), true);
    AddLabel(this, tr("記載の会社名・サービス名は、各社の商標または登録商標です。"),
             QRect(40, 262, 260, 37), true);
}

QString TfrmVersion::VersionText() {
    return QStringLiteral("Ver." MIRTE_VERSION);
}

void TfrmVersion::showEvent(QShowEvent* event) {
    CentreWindow(*this);
    QDialog::showEvent(event);
}

} // namespace mirte
