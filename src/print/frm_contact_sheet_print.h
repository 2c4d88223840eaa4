#pragma once

#include "layout_dialog.h"
#include "layouts/contact_sheet_settings.h"

namespace mirte {

class TprtContactSheetPrint;

// The contact sheet's settings dialog ("コンタクトシート印刷"): the layout, file names,
// shooting dates and their size, the label colour, the title and its font, with a sample of the
// first page; its choices live in [PrintContactSheet] of Thumbnail.ini.
class TfrmContactSheetPrint : public TLayoutDialog {
    Q_OBJECT
public:
    TfrmContactSheetPrint(TprtContactSheetPrint& form, TLayoutDialogParts parts,
                          QWidget* parent = nullptr);

    TContactSheetSettings Choices() const;
    void ApplySettings() override;
    void LoadSettings() override;
    void ResetControls() override;
    void CbDateCheckClick();

    QCheckBox* CbDateCheck = nullptr;

protected:
    QImage RenderSample() override;
    void WriteSettings() override;
    QString SectionName() const override;
    int FileNameSize() const override;

private:
    void PutChoices(const TContactSheetSettings& settings);

    TprtContactSheetPrint& m_sheet;
};

} // namespace mirte
