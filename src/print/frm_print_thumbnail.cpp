#include "frm_print_thumbnail.h"

#include "dialog_util.h"
#include "layouts/prt_thumbnail_print.h"
#include "preview_job.h"
#include "print_confirm.h"
#include "print_glyphs.h"
#include "report/geometry.h"
#include "util/common_text.h"
#include "util/ini_file.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <exception>

namespace mirte {

namespace {

const QString kSection = QString::fromLatin1(index_card::kSection);

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent); // owned by the dialog
    label->move(left, top);
    label->adjustSize();
    return label;
}

QFont ToQFont(const TTitleFont& font) {
    QFont q(font.Name);
    q.setPointSize(font.Size);
    q.setBold(font.Bold);
    q.setItalic(font.Italic);
    q.setUnderline(font.Underline);
    q.setStrikeOut(font.StrikeOut);
    return q;
}

} // namespace

TfrmPrintThumbnail::TfrmPrintThumbnail(TParts parts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_parts(std::move(parts)) {
    setObjectName(QStringLiteral("frmPrintThumbnail"));
    setWindowTitle(QStringLiteral("インデックスカード印刷"));
    setFont(WindowFont());
    setFixedSize(ClientWidth, ClientHeight);
    BuildControls();
    BuildFontDialog();

    // FormCreate.
    DefaultFontName = mirte::DefaultFontName();
    DefaultCharset = mirte::DefaultCharset;
    for (int i = 0; i < index_card::LayoutCount; ++i) {
        CbLayout->addItem(index_card::LayoutCaption(i));
    }
    CbLayout->setCurrentIndex(index_card::DefaultLayout);
    for (const int size : index_card::FileFontSizes) {
        CbFNSize->addItem(QStringLiteral(" %1").arg(size));
    }
    CbFNSize->setEditText(QStringLiteral("6"));
    LoadSettings();
}

TfrmPrintThumbnail::~TfrmPrintThumbnail() = default;

void TfrmPrintThumbnail::BuildControls() {
    Panel = new QFrame(this);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel->setGeometry(8, 8, 565, 437);
    ThumbnailImage = new QLabel(Panel);
    ThumbnailImage->setGeometry(4, 4, 557, 429);

    GroupBox1 = new QGroupBox(QStringLiteral(" レイアウト設定 "), this);
    GroupBox1->setGeometry(580, 12, 205, 485);
    QWidget* box = GroupBox1;
    Label1 = AddLabel(box, QStringLiteral("レイアウトを選択します："), 16, 24);
    CbLayout = new QComboBox(box);
    CbLayout->setGeometry(24, 44, 81, CbLayout->sizeHint().height());
    CbFNCheck = new QCheckBox(QStringLiteral("ファイル名"), box);
    CbFNCheck->setGeometry(16, 84, 97, CbFNCheck->sizeHint().height());
    CbFNCheck->setChecked(true);
    Label6 = AddLabel(box, QStringLiteral("フォントサイズ"), 34, 108);
    CbFNSize = new QComboBox(box);
    CbFNSize->setEditable(true);
    CbFNSize->setInsertPolicy(QComboBox::NoInsert);
    CbFNSize->setGeometry(108, 104, 61, CbFNSize->sizeHint().height());
    CbFNSize->installEventFilter(this);
    CbFNSize->lineEdit()->installEventFilter(this);
    Label2 = AddLabel(box, QStringLiteral("ラベルの色を選択します："), 16, 144);
    EdSelectColor = new QLineEdit(box);
    EdSelectColor->setGeometry(24, 164, 37, 20);
    EdSelectColor->setReadOnly(true);
    EdSelectColor->setEnabled(false);
    EdSelectColor->setFocusPolicy(Qt::NoFocus);
    BtnSelectColor = AddDialogButton(box, QStringLiteral("選択"), QRect(64, 164, 41, 21));
    Label3 = AddLabel(box, QStringLiteral("タイトルを入力します："), 16, 204);
    EdTitle = new QPlainTextEdit(box);
    EdTitle->setGeometry(24, 224, 169, 45);
    EdTitle->installEventFilter(this);
    BtnEnter = AddDialogButton(box, QStringLiteral("入力"), QRect(56, 276, 65, 25));
    BtnFont = AddDialogButton(box, QStringLiteral("フォント"), QRect(128, 276, 65, 25));
    Panel1 = new QFrame(box);
    Panel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Panel1->setGeometry(8, 416, 189, 2);
    Label4 = AddLabel(box, QStringLiteral("レイアウト設定の保存"), 16, 428);
    BtnSaveSetting = AddDialogButton(box, QStringLiteral("設定保存"), QRect(16, 448, 85, 29));
    BtnReset = AddDialogButton(box, QStringLiteral("リセット"), QRect(112, 448, 85, 29));

    BtnPrint = AddDialogButton(this, QStringLiteral("印刷"), QRect(8, 456, 93, 41));
    BtnPrint->setIcon(PrinterGlyph(24));
    BtnPreview = AddDialogButton(this, QStringLiteral("プレビュー"), QRect(116, 456, 93, 41));
    BtnPreview->setIcon(PreviewGlyph(24));
    BtnClose = AddDialogButton(this, QStringLiteral("閉じる"), QRect(480, 456, 93, 41));
    for (QPushButton* button : {BtnPrint, BtnPreview, BtnClose}) {
        button->setIconSize(QSize(24, 24));
    }

    ColorDialog = new QColorDialog(Qt::white, this);
    ColorDialog->setOption(QColorDialog::DontUseNativeDialog);

    connect(CbLayout, &QComboBox::activated, this, [this] { CbLayoutChange(); });
    connect(CbFNCheck, &QCheckBox::clicked, this, [this] { CbFNCheckClick(); });
    connect(CbFNSize, &QComboBox::activated, this, [this] { CbFNSizeClick(); });
    connect(BtnSelectColor, &QPushButton::clicked, this, [this] { BtnSelectColorClick(); });
    connect(BtnEnter, &QPushButton::clicked, this, [this] { BtnEnterClick(); });
    connect(BtnFont, &QPushButton::clicked, this, [this] { BtnFontClick(); });
    connect(BtnSaveSetting, &QPushButton::clicked, this, [this] { BtnSaveSettingClick(); });
    connect(BtnReset, &QPushButton::clicked, this, [this] { BtnResetClick(); });
    connect(BtnPreview, &QPushButton::clicked, this, [this] { BtnPreviewClick(); });
    connect(BtnPrint, &QPushButton::clicked, this, [this] { BtnPrintClick(); });
    connect(BtnClose, &QPushButton::clicked, this, [this] { BtnCloseClick(); });
}

void TfrmPrintThumbnail::BuildFontDialog() {
    FontDialog = new QFontDialog(this);
    FontDialog->setOption(QFontDialog::DontUseNativeDialog);
    // Qt's font dialog has no colour of its own: a button for the title's colour goes below.
    auto* colour = new QPushButton(QStringLiteral("文字色..."), FontDialog);
    colour->setObjectName(QStringLiteral("FontColorButton"));
    colour->setAutoDefault(false);
    if (auto* grid = qobject_cast<QGridLayout*>(FontDialog->layout())) {
        grid->addWidget(colour, grid->rowCount(), 0, 1, 1, Qt::AlignLeft);
    }
    connect(colour, &QPushButton::clicked, FontDialog, [this, colour] {
        const QColor chosen =
            QColorDialog::getColor(colour->property("chosen").value<QColor>(), FontDialog,
                                   QString(), QColorDialog::DontUseNativeDialog);
        if (chosen.isValid()) {
            colour->setProperty("chosen", chosen);
        }
    });
}

TIndexCardSettings TfrmPrintThumbnail::Choices() const {
    TIndexCardSettings choices;
    choices.Layout = CbLayout->currentIndex();
    choices.LabelColor = LabelColor;
    choices.Title = EdTitle->toPlainText();
    choices.TitleFont = TitleFont;
    choices.FileFontSize = CbFNSize->currentText();
    choices.ShowFileName = CbFNCheck->isChecked();
    return choices;
}

void TfrmPrintThumbnail::ApplySettings() {
    m_parts.Form.ApplySettings(Choices(), FolderPath);
    RefreshSample();
}

void TfrmPrintThumbnail::RefreshSample() {
    m_sample = m_parts.Form.RenderSample();
    const QRect area(10, 10, Panel->width() - 20, Panel->height() - 20);
    const TEdgeRect placed =
        FitToRect(m_sample.width(), m_sample.height(),
                  {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    ThumbnailImage->setGeometry(placed.Left, placed.Top, placed.Width(), placed.Height());
    const qreal ratio = devicePixelRatioF();
    QPixmap shown = QPixmap::fromImage(m_sample.scaled(
        ThumbnailImage->size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    shown.setDevicePixelRatio(ratio);
    ThumbnailImage->setPixmap(shown);
}

void TfrmPrintThumbnail::PutChoices(const TIndexCardSettings& settings) {
    CbLayout->setCurrentIndex(settings.Layout);
    LabelColor = settings.LabelColor;
    ColorDialog->setCurrentColor(LabelColor);
    ShowLabelColor();
    EdTitle->setPlainText(settings.Title);
    TitleFont = settings.TitleFont;
    CbFNSize->setEditText(settings.FileFontSize);
    CbFNCheck->setChecked(settings.ShowFileName);
}

void TfrmPrintThumbnail::LoadSettings() {
    PutChoices(ReadIndexCardSettings(m_parts.Settings));
    ApplySettings();
}

void TfrmPrintThumbnail::ResetControls() {
    TIndexCardSettings defaults = index_card::Defaults();
    defaults.TitleFont.Name = DefaultFontName;
    defaults.TitleFont.Charset = DefaultCharset;
    defaults.TitleFont.Color = TitleFont.Color; // the font colour stays as it is
    PutChoices(defaults);
    ApplySettings();
}

void TfrmPrintThumbnail::Prepare(const QString& folderPath) {
    m_parts.Form.Printer().SetOrientation(m_parts.Form.LayoutOrientation());
    m_parts.Form.ApplyPrinterLayout();
    FolderPath = folderPath;
    ApplySettings();
}

void TfrmPrintThumbnail::ShowLabelColor() {
    EdSelectColor->setStyleSheet(
        QStringLiteral("QLineEdit { background-color: %1; }").arg(LabelColor.name()));
}

void TfrmPrintThumbnail::CbLayoutChange() {
    ApplySettings();
}

void TfrmPrintThumbnail::CbFNCheckClick() {
    ApplySettings();
}

void TfrmPrintThumbnail::BtnEnterClick() {
    ApplySettings();
}

void TfrmPrintThumbnail::BtnSelectColorClick() {
    ColorDialog->setCurrentColor(LabelColor);
    if (ColorDialog->exec() != QDialog::Accepted) {
        return;
    }
    LabelColor = ColorDialog->currentColor();
    ShowLabelColor();
    m_parts.Form.SetLabelColor(LabelColor);
    ApplySettings();
}

void TfrmPrintThumbnail::BtnFontClick() {
    FontDialog->setCurrentFont(ToQFont(TitleFont));
    auto* colour = FontDialog->findChild<QPushButton*>(QStringLiteral("FontColorButton"));
    colour->setProperty("chosen", TitleFont.Color);
    if (FontDialog->exec() != QDialog::Accepted) {
        return;
    }
    const QFont chosen = FontDialog->selectedFont();
    TitleFont.Name = chosen.family();
    if (chosen.pointSize() > 0) {
        TitleFont.Size = chosen.pointSize();
    }
    TitleFont.Bold = chosen.bold();
    TitleFont.Italic = chosen.italic();
    TitleFont.Underline = chosen.underline();
    TitleFont.StrikeOut = chosen.strikeOut();
    TitleFont.Color = colour->property("chosen").value<QColor>();
    ApplySettings();
}

void TfrmPrintThumbnail::RestoreSizeBox() {
    CbFNSize->setEditText(QStringLiteral(" %1").arg(m_parts.Form.LThumbnailPath->Font().Size()));
}

void TfrmPrintThumbnail::CbFNSizeClick() {
    if (ValidFontSize(CbFNSize->currentText()) == 0) {
        RestoreSizeBox();
    }
    ApplySettings();
}

void TfrmPrintThumbnail::CbFNSizeExit() {
    CbFNSizeClick();
}

void TfrmPrintThumbnail::CbFNSizeKeyPress() {
    if (ValidFontSize(CbFNSize->currentText()) == 0) {
        m_parts.Ask(QString::fromUtf8(kBadSizeMessage), TAskButtons::Ok);
        RestoreSizeBox();
        return;
    }
    ApplySettings();
}

bool TfrmPrintThumbnail::SettingsWritable() const {
    // A missing file counts as read-only: its attributes cannot be read.
    return m_parts.Settings.Exists() && !m_parts.Settings.IsReadOnly();
}

void TfrmPrintThumbnail::BtnSaveSettingClick() {
    if (!SettingsWritable()) {
        return;
    }
    try {
        WriteIndexCardSettings(m_parts.Settings, Choices());
    } catch (const std::exception& error) {
        m_parts.Ask(QString::fromUtf8(error.what()), TAskButtons::Ok);
    }
}

void TfrmPrintThumbnail::BtnResetClick() {
    const TWaitCursor wait;
    if (!SettingsWritable()) {
        ResetControls();
        return;
    }
    try {
        m_parts.Settings.EraseSection(kSection);
    } catch (const std::exception& error) {
        m_parts.Ask(QString::fromUtf8(error.what()), TAskButtons::Ok);
        return;
    }
    LoadSettings();
}

void TfrmPrintThumbnail::BtnPreviewClick() {
    m_parts.Preview.Preview();
    ApplySettings();
}

void TfrmPrintThumbnail::BtnPrintClick() {
    TprtThumbnailPrint& form = m_parts.Form;
    int from = 0;
    int to = 0;
    const TPrintConfirmation confirmation{form, m_parts.SharedPrintDialog, true,
                                          [this] { ApplySettings(); }, m_parts.Ask};
    if (!PrintConfirm(confirmation, from, to)) {
        return;
    }
    form.PrintTo = to;
    form.PrintFrom = from;
    try {
        form.PrintPages(m_parts.Progress);
    } catch (const std::exception& error) {
        m_parts.Ask(QString::fromUtf8(error.what()), TAskButtons::Ok);
    }
}

void TfrmPrintThumbnail::BtnCloseClick() {
    close();
}

bool TfrmPrintThumbnail::eventFilter(QObject* watched, QEvent* event) {
    const bool sizeBox = watched == CbFNSize || watched == CbFNSize->lineEdit();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && watched == EdTitle) {
            return true; // the title is one line: Enter does not break it
        }
        if (enter && sizeBox) {
            CbFNSizeKeyPress();
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut && watched == CbFNSize->lineEdit() &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        CbFNSizeExit();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mirte
