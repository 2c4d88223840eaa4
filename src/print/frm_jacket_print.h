#pragma once

#include "layout_dialog.h"
#include "layouts/jacket_settings.h"
#include "layouts/print_picture.h"

#include <QImage>

namespace mirte {

class TprtJacketPrint;

// The back card's settings dialog ("バックカード印刷"): the arrangement of the face, the
// picture's quarter turns ("回転"), the label colour, the title and its font, with a sample of
// the whole card; its choices live in [PrintJacket] of Thumbnail.ini. It prints one page.
class TfrmJacketPrint : public TLayoutDialog {
    Q_OBJECT
public:
    TfrmJacketPrint(TprtJacketPrint& form, TLayoutDialogParts parts, QWidget* parent = nullptr);

    TJacketSettings Choices() const;
    void ApplySettings() override;
    // The saved turns go to Rotation without turning the picture.
    void LoadSettings() override;
    void ResetControls() override;
    // The picture to print (null: the card prints without one), turned as the settings file
    // says; then the page is laid out for portrait paper.
    // The picture (with the file it came from, for printing at the paper's resolution).
    void SetPicture(const TPrintPicture& picture, const QString& folderPath);
    void ApplyPicture(const QImage& bitmap);

    // "回転": a quarter turn clockwise.
    void BtnTrimmingClick();
    // Turns the picture upright first, then resets the choices.
    void BtnResetClick() override;

    QImage WorkBitmap; // the picture as turned
    int Rotation = 0;  // quarter turns applied, 0 .. 3
    QLabel* Label5 = nullptr;
    QPushButton* BtnTrimming = nullptr;

protected:
    QImage RenderSample() override;
    void WriteSettings() override;
    QString SectionName() const override;

private:
    void PutChoices(const TJacketSettings& settings);

    TprtJacketPrint& m_jacket;
};

} // namespace mirte
