#pragma once

#include "ask_user.h"
#include "layouts/layout_settings.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QColorDialog;
class QComboBox;
class QFontDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mirte {

class IniFile;
class TPreviewJob;
class TPrintDialogRunner;
class TPrintProgress;
class TReportForm;

// Where a print layout's dialog has its shared controls (dialog pixels).
struct TLayoutDialogGeometry {
    QString Caption;
    QSize Client;
    QRect Panel;          // holds the sample
    QRect Sample;         // the sample's control in the panel, before it is fitted
    int GroupLeft = 0;    // " レイアウト設定 ", 205 x 485 at top 12
    int FileNameTop = -1; // the "ファイル名" check box; -1: no file-name controls
    int SizeTop = -1;     // the file-name size box; its caption sits 4 lower
    int ColorLabelTop = 0;
    int ColorTop = 0;
    int TitleLabelTop = 0;
    int TitleTop = 0;
    int TitleButtonsTop = 0;
    QPoint SaveLabel;
    int CloseLeft = 0;
    bool PageRange = true; // printing offers page numbers
};

// What a layout's dialog works with besides its report form.
struct TLayoutDialogParts {
    IniFile& Settings;
    TPrintDialogRunner& SharedPrintDialog; // the main window's
    TPrintProgress& Progress;
    TPreviewJob& Preview;
    TAskUser Ask;
};

// What the three print layouts' settings dialogs share: the layout box, the label colour, the
// title and its font, the file-name size box (where there is one), the sample of the form's
// page that follows every change, save and reset of the layout's section of Thumbnail.ini,
// preview and print. Typing in the title or the size box changes nothing until a choice is
// pushed ("入力" or any other change).
class TLayoutDialog : public QDialog {
    Q_OBJECT
public:
    // The message of the file-name size box, word for word (translated where shown).
    static constexpr const char* kBadSizeMessage =
        QT_TRANSLATE_NOOP("mirte::TLayoutDialog", "入力された値に誤りがあります。(有効範囲3-28)");

    TLayoutDialog(const TLayoutDialogGeometry& geometry, TReportForm& form,
                  TLayoutDialogParts parts, QWidget* parent);
    ~TLayoutDialog() override;

    // Pushes every choice into the report form, then renders the sample again.
    virtual void ApplySettings() = 0;
    // Reads the section into the controls, then ApplySettings.
    virtual void LoadSettings() = 0;
    // The defaults into the controls (the title's colour stays), then ApplySettings.
    virtual void ResetControls() = 0;
    void RefreshSample();
    // Before showing a paged layout: the layout's orientation on the printer, the page laid out
    // for it, the folder taken, the choices pushed.
    void Prepare(const QString& folderPath);

    void CbLayoutChange();
    void CbFNCheckClick();
    void BtnEnterClick();
    void BtnSelectColorClick();
    void BtnFontClick();
    void CbFNSizeClick();
    void CbFNSizeExit();
    void CbFNSizeKeyPress();
    void BtnSaveSettingClick();
    virtual void BtnResetClick();
    void BtnPreviewClick();
    void BtnPrintClick();
    void BtnCloseClick();

    QString FolderPath;
    QString DefaultFontName;
    int DefaultCharset = 0;
    TTitleFont TitleFont; // the font dialog's font, with its colour
    QColor LabelColor;
    const QImage& Sample() const { return m_sample; }

    QFrame* Panel = nullptr;
    QLabel* SampleImage = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CbLayout = nullptr;
    QCheckBox* CbFNCheck = nullptr; // null without file-name controls
    QLabel* Label6 = nullptr;
    QComboBox* CbFNSize = nullptr; // null without file-name controls
    QLabel* Label2 = nullptr;
    QLineEdit* EdSelectColor = nullptr;
    QPushButton* BtnSelectColor = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* EdTitle = nullptr;
    QPushButton* BtnEnter = nullptr;
    QPushButton* BtnFont = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* BtnSaveSetting = nullptr;
    QPushButton* BtnReset = nullptr;
    QPushButton* BtnPrint = nullptr;
    QPushButton* BtnPreview = nullptr;
    QPushButton* BtnClose = nullptr;
    QColorDialog* ColorDialog = nullptr;
    QFontDialog* FontDialog = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    virtual QImage RenderSample() = 0;
    // Writes the section's keys.
    virtual void WriteSettings() = 0;
    virtual QString SectionName() const = 0;
    // The file names' size in the form now (what a bad size box text goes back to).
    virtual int FileNameSize() const { return 0; }

    TLayoutCommon CommonChoices() const;
    void PutCommon(const TLayoutCommon& values);
    void FillLayoutBox(const QStringList& captions, int selected);
    void FillSizeBox(const QString& text);
    // The defaults of the common keys for a reset: the font dialog's own face and character set,
    // the title's colour as it is.
    void KeepFontOnReset(TLayoutCommon& defaults) const;
    bool SettingsWritable() const;

    TReportForm& m_form;
    TLayoutDialogParts m_parts;

private:
    void BuildControls(const TLayoutDialogGeometry& geometry);
    void BuildFontDialog();
    void ShowLabelColor();
    void RestoreSizeBox();

    bool m_pageRange;
    QImage m_sample;
};

} // namespace mirte
