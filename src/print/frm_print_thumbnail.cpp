#include "frm_print_thumbnail.h"

#include "layouts/prt_thumbnail_print.h"
#include "util/ini_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>

namespace mirte {

namespace {

TLayoutDialogGeometry IndexCardGeometry() {
    TLayoutDialogGeometry g;
    g.Caption = QCoreApplication::translate("IndexCardPrint", "インデックスカード印刷");
    g.Client = {792, 502};
    g.Panel = {8, 8, 565, 437};
    g.Sample = {4, 4, 557, 429};
    g.GroupLeft = 580;
    g.FileNameTop = 84;
    g.SizeTop = 104;
    g.ColorLabelTop = 144;
    g.ColorTop = 164;
    g.TitleLabelTop = 204;
    g.TitleTop = 224;
    g.TitleButtonsTop = 276;
    g.SaveLabel = {16, 428};
    g.CloseLeft = 480;
    g.PageRange = true;
    return g;
}

// Below the title's buttons, in the group's free space above the save line.
constexpr int kEachFolderTop = 316;

} // namespace

TfrmPrintThumbnail::TfrmPrintThumbnail(TprtThumbnailPrint& form, TLayoutDialogParts parts,
                                       QWidget* parent)
    : TLayoutDialog(IndexCardGeometry(), form, std::move(parts), parent), m_print(form) {
    setObjectName(QStringLiteral("frmPrintThumbnail"));
    CbEachFolder = new QCheckBox(tr("フォルダごとにカードを作る"), GroupBox1);
    CbEachFolder->setGeometry(16, kEachFolderTop, CbEachFolder->sizeHint().width(),
                              CbEachFolder->sizeHint().height());
    CbEachFolder->setEnabled(m_subfolders);
    connect(CbEachFolder, &QCheckBox::clicked, this, [this] { CbEachFolderClick(); });
    QStringList captions;
    for (int i = 0; i < index_card::LayoutCount; ++i) {
        captions.append(index_card::LayoutCaption(i));
    }
    FillLayoutBox(captions, index_card::DefaultLayout);
    FillSizeBox(QStringLiteral("6"));
    LoadSettings();
}

TIndexCardSettings TfrmPrintThumbnail::Choices() const {
    TIndexCardSettings choices;
    static_cast<TLayoutCommon&>(choices) = CommonChoices();
    choices.FileFontSize = CbFNSize->currentText();
    choices.ShowFileName = CbFNCheck->isChecked();
    choices.EachFolder = CbEachFolder->isChecked(); // kept while the box is disabled
    return choices;
}

void TfrmPrintThumbnail::ApplySettings() {
    TIndexCardSettings choices = Choices();
    // A grid of one folder has nothing to divide.
    choices.EachFolder = choices.EachFolder && m_subfolders;
    m_print.ApplySettings(choices, FolderPath);
    RefreshSample();
}

void TfrmPrintThumbnail::SetSubfolders(bool shown) {
    m_subfolders = shown;
    CbEachFolder->setEnabled(shown);
}

void TfrmPrintThumbnail::CbEachFolderClick() {
    ApplySettings();
}

void TfrmPrintThumbnail::PutChoices(const TIndexCardSettings& settings) {
    PutCommon(settings);
    CbFNSize->setEditText(settings.FileFontSize);
    CbFNCheck->setChecked(settings.ShowFileName);
    CbEachFolder->setChecked(settings.EachFolder);
}

void TfrmPrintThumbnail::LoadSettings() {
    PutChoices(ReadIndexCardSettings(m_parts.Settings));
    ApplySettings();
}

void TfrmPrintThumbnail::ResetControls() {
    TIndexCardSettings defaults = index_card::Defaults();
    KeepFontOnReset(defaults);
    PutChoices(defaults);
    ApplySettings();
}

QImage TfrmPrintThumbnail::RenderSample() {
    return m_print.RenderSample();
}

void TfrmPrintThumbnail::WriteSettings() {
    WriteIndexCardSettings(m_parts.Settings, Choices());
}

QString TfrmPrintThumbnail::SectionName() const {
    return QString::fromLatin1(index_card::kSection);
}

int TfrmPrintThumbnail::FileNameSize() const {
    return m_print.LThumbnailPath->Font().Size();
}

} // namespace mirte
