#include "frm_contact_sheet_print.h"

#include "layouts/prt_contact_sheet_print.h"
#include "util/ini_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>

namespace mirte {

namespace {

TLayoutDialogGeometry ContactSheetGeometry() {
    TLayoutDialogGeometry g;
    g.Caption = QCoreApplication::translate("ContactSheetPrint", "コンタクトシート印刷");
    g.Client = {750, 502};
    g.Panel = {8, 8, 525, 437};
    g.Sample = {4, 4, 517, 429};
    g.GroupLeft = 540;
    g.FileNameTop = 84;
    g.SizeTop = 124;
    g.ColorLabelTop = 164;
    g.ColorTop = 184;
    g.TitleLabelTop = 224;
    g.TitleTop = 244;
    g.TitleButtonsTop = 296;
    g.SaveLabel = {20, 428};
    g.CloseLeft = 440;
    g.PageRange = true;
    return g;
}

} // namespace

TfrmContactSheetPrint::TfrmContactSheetPrint(TprtContactSheetPrint& form, TLayoutDialogParts parts,
                                             QWidget* parent)
    : TLayoutDialog(ContactSheetGeometry(), form, std::move(parts), parent), m_sheet(form) {
    setObjectName(QStringLiteral("frmContactSheetPrint"));
    CbDateCheck = new QCheckBox(tr("撮影日"), GroupBox1);
    CbDateCheck->setGeometry(16, 104, 97, CbDateCheck->sizeHint().height());
    CbDateCheck->setChecked(true);
    connect(CbDateCheck, &QCheckBox::clicked, this, [this] { CbDateCheckClick(); });
    QStringList captions;
    for (int i = 0; i < contact_sheet::LayoutCount; ++i) {
        captions.append(contact_sheet::LayoutCaption(i));
    }
    FillLayoutBox(captions, contact_sheet::DefaultLayout);
    FillSizeBox(QStringLiteral("7"));
    LoadSettings();
}

TContactSheetSettings TfrmContactSheetPrint::Choices() const {
    TContactSheetSettings choices;
    static_cast<TLayoutCommon&>(choices) = CommonChoices();
    choices.FileFontSize = CbFNSize->currentText();
    choices.ShowFileName = CbFNCheck->isChecked();
    choices.ShowDate = CbDateCheck->isChecked();
    return choices;
}

void TfrmContactSheetPrint::ApplySettings() {
    m_sheet.ApplySettings(Choices(), FolderPath);
    RefreshSample();
}

void TfrmContactSheetPrint::PutChoices(const TContactSheetSettings& settings) {
    PutCommon(settings);
    CbFNSize->setEditText(settings.FileFontSize);
    CbFNCheck->setChecked(settings.ShowFileName);
    CbDateCheck->setChecked(settings.ShowDate);
}

void TfrmContactSheetPrint::LoadSettings() {
    PutChoices(ReadContactSheetSettings(m_parts.Settings));
    ApplySettings();
}

void TfrmContactSheetPrint::ResetControls() {
    TContactSheetSettings defaults = contact_sheet::Defaults();
    KeepFontOnReset(defaults);
    PutChoices(defaults);
    ApplySettings();
}

void TfrmContactSheetPrint::CbDateCheckClick() {
    ApplySettings();
}

QImage TfrmContactSheetPrint::RenderSample() {
    return m_sheet.RenderSample();
}

void TfrmContactSheetPrint::WriteSettings() {
    WriteContactSheetSettings(m_parts.Settings, Choices());
}

QString TfrmContactSheetPrint::SectionName() const {
    return QString::fromLatin1(contact_sheet::kSection);
}

int TfrmContactSheetPrint::FileNameSize() const {
    return m_sheet.Comment1->Font().Size();
}

} // namespace mirte
