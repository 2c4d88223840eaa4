#pragma once

#include "ask_user.h"
#include "layouts/index_card_settings.h"

#include <QDialog>

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
class TprtThumbnailPrint;

// The index card's settings dialog ("インデックスカード印刷"): layout, file names and their
// size, label colour, title and its font, with a sample of the two cards; it saves and resets
// its choices in [PrintThumbnail] of Thumbnail.ini, previews and prints. Every change of a
// choice goes into the report form, which renders the sample again.
class TfrmPrintThumbnail : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 792;
    static constexpr int ClientHeight = 502;
    // The message of the file-name size box, word for word.
    static constexpr const char* kBadSizeMessage = "入力された値に誤りがあります。(有効範囲3-28)";

    struct TParts {
        TprtThumbnailPrint& Form;
        IniFile& Settings;
        TPrintDialogRunner& SharedPrintDialog; // the main window's
        TPrintProgress& Progress;
        TPreviewJob& Preview;
        TAskUser Ask;
    };
    // FormCreate: fills the lists, reads the saved choices and pushes them into the form.
    TfrmPrintThumbnail(TParts parts, QWidget* parent = nullptr);
    ~TfrmPrintThumbnail() override;

    // The choices as the controls hold them.
    TIndexCardSettings Choices() const;
    void ApplySettings();
    void RefreshSample();
    void LoadSettings();
    void ResetControls();
    // Before showing: landscape on the printer, the page laid out for it, the folder taken.
    void Prepare(const QString& folderPath);

    // The handlers of the controls.
    void CbLayoutChange();
    void CbFNCheckClick();
    void BtnEnterClick();
    void BtnSelectColorClick();
    void BtnFontClick();
    void CbFNSizeClick();
    void CbFNSizeExit();
    void CbFNSizeKeyPress();
    void BtnSaveSettingClick();
    void BtnResetClick();
    void BtnPreviewClick();
    void BtnPrintClick();
    void BtnCloseClick();

    QString FolderPath;
    QString DefaultFontName;
    int DefaultCharset = 0;
    // The font dialog's font (the title's), with its colour.
    TTitleFont TitleFont;
    QColor LabelColor;
    const QImage& Sample() const { return m_sample; }

    QFrame* Panel = nullptr;
    QLabel* ThumbnailImage = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CbLayout = nullptr;
    QCheckBox* CbFNCheck = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* CbFNSize = nullptr;
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

private:
    void BuildControls();
    void BuildFontDialog();
    void PutChoices(const TIndexCardSettings& settings);
    void ShowLabelColor();
    // The size box back at the file names' size.
    void RestoreSizeBox();
    bool SettingsWritable() const;

    TParts m_parts;
    QImage m_sample;
};

} // namespace mirte
