#include "layout_dialog.h"

#include "dialog_util.h"
#include "layouts/report_form.h"
#include "preview_job.h"
#include "print_confirm.h"
#include "print_glyphs.h"
#include "report/geometry.h"
#include "util/common_text.h"
#include "util/ini_file.h"
#include "util/ui_language.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <exception>

namespace mirte {

namespace {

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

// The title's font as it is really drawn, by the names Qt's font dialog lists: a substitute
// ("ＭＳ Ｐゴシック") or a face that is not installed resolves to an installed family, and a
// bold or italic drawn from a face without such a style is that face's own style.
QFont DrawnFont(const TTitleFont& font) {
    const QFontInfo drawn(ToQFont(font));
    QFont shown(drawn.family());
    shown.setStyleName(drawn.styleName());
    shown.setPointSize(font.Size);
    shown.setUnderline(font.Underline);
    shown.setStrikeOut(font.StrikeOut);
    return shown;
}

} // namespace

TLayoutDialog::TLayoutDialog(const TLayoutDialogGeometry& geometry, TReportForm& form,
                             TLayoutDialogParts parts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_form(form), m_parts(std::move(parts)), m_pageRange(geometry.PageRange) {
    setWindowTitle(geometry.Caption);
    setFont(WindowFont());
    setFixedSize(geometry.Client);
    BuildControls(geometry);
    BuildFontDialog();
    DefaultFontName = mirte::DefaultFontName();
    DefaultCharset = mirte::DefaultCharset;
}

TLayoutDialog::~TLayoutDialog() = default;

void TLayoutDialog::BuildControls(const TLayoutDialogGeometry& g) {
    Panel = new QFrame(this);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel->setGeometry(g.Panel);
    SampleImage = new QLabel(Panel);
    SampleImage->setGeometry(g.Sample);

    GroupBox1 = new QGroupBox(tr(" レイアウト設定 "), this);
    GroupBox1->setGeometry(g.GroupLeft, 12, 205, 485);
    QWidget* box = GroupBox1;
    Label1 = AddLabel(box, tr("レイアウトを選択します："), 16, 24);
    CbLayout = new QComboBox(box);
    CbLayout->setGeometry(24, 44, 81, CbLayout->sizeHint().height());
    if (g.FileNameTop >= 0) {
        CbFNCheck = new QCheckBox(tr("ファイル名"), box);
        CbFNCheck->setGeometry(16, g.FileNameTop, 97, CbFNCheck->sizeHint().height());
        CbFNCheck->setChecked(true);
        Label6 = AddLabel(box, tr("フォントサイズ"), 34, g.SizeTop + 4);
        CbFNSize = new QComboBox(box);
        CbFNSize->setEditable(true);
        CbFNSize->setInsertPolicy(QComboBox::NoInsert);
        CbFNSize->setGeometry(108, g.SizeTop, 61, CbFNSize->sizeHint().height());
        CbFNSize->installEventFilter(this);
        CbFNSize->lineEdit()->installEventFilter(this);
        connect(CbFNCheck, &QCheckBox::clicked, this, [this] { CbFNCheckClick(); });
        connect(CbFNSize, &QComboBox::activated, this, [this] { CbFNSizeClick(); });
    }
    Label2 = AddLabel(box, tr("ラベルの色を選択します："), 16, g.ColorLabelTop);
    EdSelectColor = new QLineEdit(box);
    EdSelectColor->setGeometry(24, g.ColorTop, 37, 20);
    EdSelectColor->setReadOnly(true);
    EdSelectColor->setEnabled(false);
    EdSelectColor->setFocusPolicy(Qt::NoFocus);
    BtnSelectColor = AddDialogButton(box, tr("選択"), QRect(64, g.ColorTop, 41, 21));
    Label3 = AddLabel(box, tr("タイトルを入力します："), 16, g.TitleLabelTop);
    EdTitle = new QPlainTextEdit(box);
    EdTitle->setGeometry(24, g.TitleTop, 169, 45);
    EdTitle->installEventFilter(this);
    BtnEnter = AddDialogButton(box, tr("入力"), QRect(56, g.TitleButtonsTop, 65, 25));
    BtnFont = AddDialogButton(box, tr("フォント"), QRect(128, g.TitleButtonsTop, 65, 25));
    Panel1 = new QFrame(box);
    Panel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Panel1->setGeometry(8, 416, 189, 2);
    Label4 = AddLabel(box, tr("レイアウト設定の保存"), g.SaveLabel.x(), g.SaveLabel.y());
    BtnSaveSetting = AddDialogButton(box, tr("設定保存"), QRect(16, 448, 85, 29));
    BtnReset = AddDialogButton(box, tr("リセット"), QRect(112, 448, 85, 29));

    BtnPrint = AddDialogButton(this, tr("印刷"), QRect(8, 456, 93, 41));
    BtnPrint->setIcon(PrinterGlyph(24));
    BtnPreview = AddDialogButton(this, tr("プレビュー"), QRect(116, 456, 93, 41));
    BtnPreview->setIcon(PreviewGlyph(24));
    BtnClose = AddDialogButton(this, tr("閉じる"), QRect(g.CloseLeft, 456, 93, 41));
    for (QPushButton* button : {BtnPrint, BtnPreview, BtnClose}) {
        button->setIconSize(QSize(24, 24));
    }

    ColorDialog = new QColorDialog(Qt::white, this);
    ColorDialog->setOption(QColorDialog::DontUseNativeDialog);

    connect(CbLayout, &QComboBox::activated, this, [this] { CbLayoutChange(); });
    connect(BtnSelectColor, &QPushButton::clicked, this, [this] { BtnSelectColorClick(); });
    connect(BtnEnter, &QPushButton::clicked, this, [this] { BtnEnterClick(); });
    connect(BtnFont, &QPushButton::clicked, this, [this] { BtnFontClick(); });
    connect(BtnSaveSetting, &QPushButton::clicked, this, [this] { BtnSaveSettingClick(); });
    connect(BtnReset, &QPushButton::clicked, this, [this] { BtnResetClick(); });
    connect(BtnPreview, &QPushButton::clicked, this, [this] { BtnPreviewClick(); });
    connect(BtnPrint, &QPushButton::clicked, this, [this] { BtnPrintClick(); });
    connect(BtnClose, &QPushButton::clicked, this, [this] { BtnCloseClick(); });
}

void TLayoutDialog::BuildFontDialog() {
    FontDialog = new QFontDialog(this);
    FontDialog->setOption(QFontDialog::DontUseNativeDialog);
    // Qt's font dialog has no colour of its own: a button for the title's colour goes below.
    auto* colour = new QPushButton(tr("文字色..."), FontDialog);
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

TLayoutCommon TLayoutDialog::CommonChoices() const {
    TLayoutCommon values;
    values.Layout = CbLayout->currentIndex();
    values.LabelColor = LabelColor;
    values.Title = EdTitle->toPlainText();
    values.TitleFont = TitleFont;
    return values;
}

void TLayoutDialog::PutCommon(const TLayoutCommon& values) {
    CbLayout->setCurrentIndex(values.Layout); // outside the box: no entry selected
    LabelColor = values.LabelColor;
    ColorDialog->setCurrentColor(LabelColor);
    ShowLabelColor();
    EdTitle->setPlainText(values.Title);
    TitleFont = values.TitleFont;
}

void TLayoutDialog::FillLayoutBox(const QStringList& captions, int selected) {
    CbLayout->addItems(captions);
    CbLayout->setCurrentIndex(selected);
    if (ShownUiLanguage() == TUiLanguage::English) { // longer names than the box was made for
        CbLayout->setSizeAdjustPolicy(QComboBox::AdjustToContents); // a hint from the entries
        CbLayout->resize(std::max(CbLayout->width(), CbLayout->sizeHint().width()),
                         CbLayout->height());
    }
}

void TLayoutDialog::FillSizeBox(const QString& text) {
    for (const int size : FileFontSizes) {
        CbFNSize->addItem(QStringLiteral(" %1").arg(size));
    }
    CbFNSize->setEditText(text);
}

void TLayoutDialog::KeepFontOnReset(TLayoutCommon& defaults) const {
    defaults.TitleFont.Name = DefaultFontName;
    defaults.TitleFont.Charset = DefaultCharset;
    defaults.TitleFont.Color = TitleFont.Color;
}

void TLayoutDialog::Prepare(const QString& folderPath) {
    m_form.ApplyLayoutOrientation();
    FolderPath = folderPath;
    ApplySettings();
}

void TLayoutDialog::RefreshSample() {
    m_sample = RenderSample();
    const QRect area(10, 10, Panel->width() - 20, Panel->height() - 20);
    const TEdgeRect placed =
        FitToRect(m_sample.width(), m_sample.height(),
                  {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    SampleImage->setGeometry(placed.Left, placed.Top, placed.Width(), placed.Height());
    const qreal ratio = devicePixelRatioF();
    QPixmap shown = QPixmap::fromImage(m_sample.scaled(
        SampleImage->size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    shown.setDevicePixelRatio(ratio);
    SampleImage->setPixmap(shown);
}

void TLayoutDialog::ShowLabelColor() {
    EdSelectColor->setStyleSheet(
        QStringLiteral("QLineEdit { background-color: %1; }").arg(LabelColor.name()));
}

void TLayoutDialog::CbLayoutChange() {
    ApplySettings();
}

void TLayoutDialog::CbFNCheckClick() {
    ApplySettings();
}

void TLayoutDialog::BtnEnterClick() {
    ApplySettings();
}

void TLayoutDialog::BtnSelectColorClick() {
    ColorDialog->setCurrentColor(LabelColor);
    if (ColorDialog->exec() != QDialog::Accepted) {
        return;
    }
    LabelColor = ColorDialog->currentColor();
    ShowLabelColor();
    ApplySettings();
}

void TLayoutDialog::BtnFontClick() {
    const QFont shown = DrawnFont(TitleFont);
    FontDialog->setCurrentFont(shown);
    auto* colour = FontDialog->findChild<QPushButton*>(QStringLiteral("FontColorButton"));
    colour->setProperty("chosen", TitleFont.Color);
    if (FontDialog->exec() != QDialog::Accepted) {
        return;
    }
    const QFont chosen = FontDialog->selectedFont();
    // The face and its style change only when the user chose another: the title keeps the name
    // it has (a substitute, or a face not installed here) and a bold or italic the face draws
    // without a style of its own.
    if (chosen.family() != shown.family() ||
        QFontDatabase::styleString(chosen) != QFontDatabase::styleString(shown)) {
        TitleFont.Name = chosen.family();
        TitleFont.Bold = chosen.bold();
        TitleFont.Italic = chosen.italic();
    }
    if (chosen.pointSize() > 0) {
        TitleFont.Size = chosen.pointSize();
    }
    TitleFont.Underline = chosen.underline();
    TitleFont.StrikeOut = chosen.strikeOut();
    TitleFont.Color = colour->property("chosen").value<QColor>();
    ApplySettings();
}

void TLayoutDialog::RestoreSizeBox() {
    CbFNSize->setEditText(QStringLiteral(" %1").arg(FileNameSize()));
}

void TLayoutDialog::CbFNSizeClick() {
    if (ValidFontSize(CbFNSize->currentText()) == 0) {
        RestoreSizeBox();
    }
    ApplySettings();
}

void TLayoutDialog::CbFNSizeExit() {
    CbFNSizeClick();
}

void TLayoutDialog::CbFNSizeKeyPress() {
    if (ValidFontSize(CbFNSize->currentText()) == 0) {
        m_parts.Ask(tr(kBadSizeMessage), TAskButtons::Ok);
        RestoreSizeBox();
        return;
    }
    ApplySettings();
}

bool TLayoutDialog::SettingsWritable() const {
    // A missing file counts as read-only: its attributes cannot be read.
    return m_parts.Settings.Exists() && !m_parts.Settings.IsReadOnly();
}

void TLayoutDialog::BtnSaveSettingClick() {
    if (!SettingsWritable()) {
        return;
    }
    try {
        WriteSettings();
    } catch (const std::exception& error) {
        m_parts.Ask(QString::fromUtf8(error.what()), TAskButtons::Ok);
    }
}

void TLayoutDialog::BtnResetClick() {
    const TWaitCursor wait;
    if (!SettingsWritable()) {
        ResetControls();
        return;
    }
    try {
        m_parts.Settings.EraseSection(SectionName());
    } catch (const std::exception& error) {
        m_parts.Ask(QString::fromUtf8(error.what()), TAskButtons::Ok);
        return;
    }
    LoadSettings();
}

void TLayoutDialog::BtnPreviewClick() {
    m_parts.Preview.Preview();
    ApplySettings();
}

void TLayoutDialog::BtnPrintClick() {
    QPageRanges pages;
    const TPrintConfirmation confirmation{m_form, m_parts.SharedPrintDialog, m_pageRange,
                                          [this] { ApplySettings(); }, m_parts.Ask};
    if (!PrintConfirm(confirmation, pages)) {
        return;
    }
    m_form.PrintRanges = pages;
    try {
        m_form.Print(m_parts.Progress);
    } catch (const std::exception& error) {
        m_parts.Ask(QString::fromUtf8(error.what()), TAskButtons::Ok);
    }
}

void TLayoutDialog::BtnCloseClick() {
    close();
}

bool TLayoutDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool sizeBox =
        CbFNSize != nullptr && (watched == CbFNSize || watched == CbFNSize->lineEdit());
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
    if (event->type() == QEvent::FocusOut && sizeBox && watched == CbFNSize->lineEdit() &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        CbFNSizeExit();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mirte
