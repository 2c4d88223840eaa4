#include "frm_jacket_print.h"

#include "dialog_util.h"
#include "layouts/prt_jacket_print.h"
#include "util/ini_file.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace mirte {

namespace {

TLayoutDialogGeometry JacketGeometry() {
    TLayoutDialogGeometry g;
    g.Caption = QCoreApplication::translate("JacketPrint", "バックカード印刷");
    g.Client = {752, 502};
    g.Panel = {8, 8, 525, 437};
    g.Sample = {12, 8, 496, 409};
    g.GroupLeft = 540;
    g.ColorLabelTop = 148;
    g.ColorTop = 168;
    g.TitleLabelTop = 208;
    g.TitleTop = 228;
    g.TitleButtonsTop = 280;
    g.SaveLabel = {20, 428};
    g.CloseLeft = 440;
    g.PageRange = false;
    return g;
}

} // namespace

TfrmJacketPrint::TfrmJacketPrint(TprtJacketPrint& form, TLayoutDialogParts parts, QWidget* parent)
    : TLayoutDialog(JacketGeometry(), form, std::move(parts), parent), m_jacket(form) {
    setObjectName(QStringLiteral("frmJacketPrint"));
    Label5 = new QLabel(tr("画像の回転を行います："), GroupBox1);
    Label5->move(16, 84);
    Label5->adjustSize();
    BtnTrimming = AddDialogButton(GroupBox1, tr("回転"), QRect(24, 104, 77, 25));
    connect(BtnTrimming, &QPushButton::clicked, this, [this] { BtnTrimmingClick(); });
    QStringList captions;
    // The table's entries (jacket_settings.h) in the language in use.
    for (const char* caption : jacket::LayoutCaptions) {
        captions.append(QCoreApplication::translate("JacketLayouts", caption));
    }
    FillLayoutBox(captions, 0);
    LoadSettings();
}

TJacketSettings TfrmJacketPrint::Choices() const {
    TJacketSettings choices;
    static_cast<TLayoutCommon&>(choices) = CommonChoices();
    choices.RotateCount = Rotation;
    return choices;
}

void TfrmJacketPrint::ApplySettings() {
    m_jacket.ApplySettings(Choices());
    RefreshSample();
}

void TfrmJacketPrint::PutChoices(const TJacketSettings& settings) {
    PutCommon(settings);
    Rotation = settings.RotateCount;
}

void TfrmJacketPrint::LoadSettings() {
    PutChoices(ReadJacketSettings(m_parts.Settings));
    ApplySettings();
}

void TfrmJacketPrint::ResetControls() {
    TJacketSettings defaults = jacket::Defaults();
    KeepFontOnReset(defaults);
    PutChoices(defaults);
    ApplySettings();
}

void TfrmJacketPrint::SetPicture(const TPrintPicture& picture, const QString& folderPath) {
    FolderPath = folderPath;
    Rotation = ReadJacketSettings(m_parts.Settings).RotateCount;
    m_jacket.AssignOriginal(picture.Original);
    WorkBitmap = TurnedClockwise(picture.Picture, Rotation);
    ApplyPicture(WorkBitmap);
}

void TfrmJacketPrint::ApplyPicture(const QImage& bitmap) {
    m_jacket.AssignPicture(bitmap, Rotation);
    Prepare(FolderPath); // lays the card out for the picture, once
}

void TfrmJacketPrint::BtnTrimmingClick() {
    Rotation = (Rotation + 1) % 4;
    WorkBitmap = TurnedClockwise(WorkBitmap, 1);
    ApplyPicture(WorkBitmap);
}

void TfrmJacketPrint::BtnResetClick() {
    if (Rotation != 0) {
        const TWaitCursor wait;
        WorkBitmap = TurnedClockwise(WorkBitmap, -Rotation);
        Rotation = 0;
        ApplyPicture(WorkBitmap);
    }
    TLayoutDialog::BtnResetClick();
}

QImage TfrmJacketPrint::RenderSample() {
    return m_jacket.RenderSample(Panel->palette().color(QPalette::Window));
}

void TfrmJacketPrint::WriteSettings() {
    WriteJacketSettings(m_parts.Settings, Choices());
}

QString TfrmJacketPrint::SectionName() const {
    return QString::fromLatin1(jacket::kSection);
}

} // namespace mirte
