#include "msg_manage.h"

#include "print/dialog_util.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <memory>

namespace mirte {

namespace {

// The box: Escape does nothing (no button is the cancel button), Enter presses the focused
// button (no button is the default one).
class TMsgForm : public QDialog {
public:
    TMsgForm()
        : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Escape:
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
                button->click();
            }
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
        }
    }
};

} // namespace

QString ProgramCaption() {
    return QCoreApplication::translate("MessageBox", kProgramCaption);
}

QString MsgKindCaption(std::uint8_t kind) {
    switch (kind) {
    case mkOK:
        return QCoreApplication::translate("MessageButtons", "OK");
    case mkCancel:
        return QCoreApplication::translate("MessageButtons", "キャンセル");
    case mkYes:
        return QCoreApplication::translate("MessageButtons", "はい");
    case mkNo:
        return QCoreApplication::translate("MessageButtons", "いいえ");
    case mkAbort:
        return QCoreApplication::translate("MessageButtons", "中止");
    case mkRetry:
        return QCoreApplication::translate("MessageButtons", "再試行");
    case mkIgnore:
        return QCoreApplication::translate("MessageButtons", "無視");
    default:
        return QString();
    }
}

int TMsgManage::ShowMessageBox(const QString& text, const QString& caption,
                               const std::vector<std::uint8_t>& kinds) {
    Result = -1;
    if (QCoreApplication::instance() == nullptr ||
        QThread::currentThread() != QCoreApplication::instance()->thread()) {
        qWarning("ShowMessageBox called off the GUI thread: %s", qUtf8Printable(text));
        return -1;
    }
    std::vector<std::uint8_t> shown(kinds.begin(),
                                    kinds.begin() + std::min<std::ptrdiff_t>(std::ssize(kinds), 3));
    if (shown.empty()) {
        shown.push_back(mkOK);
    }
    const TLayout& layout = Layouts[shown.size() - 1];

    // A box may open while another is up (from a timer or a notice); each box answers for
    // itself and the outer one's fields come back when the inner one is gone.
    const QPointer<QDialog> outerForm = Form;
    QLabel* const outerLabel = Label;
    const std::vector<QPushButton*> outerButtons = Buttons;
    int result = -1;

    auto form = std::make_unique<TMsgForm>();
    Form = form.get();
    form->setFont(WindowFont());
    form->setWindowTitle(caption);
    form->setFixedSize(layout.ClientWidth, ClientHeight);

    Buttons.clear();
    for (size_t i = 0; i < shown.size(); ++i) {
        auto* button = new QPushButton(MsgKindCaption(shown[i]), form.get());
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setGeometry(layout.ButtonLeft[i], ButtonTop, ButtonWidth, ButtonHeight);
        const int position = static_cast<int>(i) + 1;
        QDialog* dialog = form.get();
        QObject::connect(button, &QPushButton::clicked, dialog, [this, &result, position, dialog] {
            result = position;
            Result = position;
            dialog->accept();
        });
        Buttons.push_back(button);
    }

    Label = new QLabel(text, form.get());
    Label->setTextFormat(Qt::PlainText);
    Label->setWordWrap(true);
    const QFontMetrics metrics(form->font());
    const int naturalWidth = metrics.boundingRect(QRect(0, 0, 100000, 1000), 0, text).width();
    int labelWidth = naturalWidth;
    if (layout.ClientWidth - 10 < naturalWidth) {
        labelWidth = layout.ClientWidth - 20;
    }
    const int labelHeight = std::max(LabelHeight, Label->heightForWidth(labelWidth));
    Label->setGeometry((layout.ClientWidth - labelWidth) / 2, LabelTop, labelWidth, labelHeight);

    CentreWindow(*form);
    Buttons.front()->setFocus();
    form->exec();
    form.reset();
    Form = outerForm;
    Label = outerLabel;
    Buttons = outerButtons;
    Result = result;
    return result;
}

TMsgManage& MsgManage() {
    static TMsgManage instance;
    return instance;
}

int ShowMessageBox(const QString& text, const QString& caption,
                   std::initializer_list<std::uint8_t> kinds) {
    return MsgManage().ShowMessageBox(text, caption, std::vector<std::uint8_t>(kinds));
}

} // namespace mirte
