#pragma once

#include "layout_dialog.h"
#include "layouts/index_card_settings.h"

class QCheckBox;

namespace mirte {

class TprtThumbnailPrint;

// The index card's settings dialog ("インデックスカード印刷"): the layout, file names and their
// size, the label colour, the title and its font, cards for each folder when the grid shows a
// tree, with a sample of the two cards; its choices live in [PrintThumbnail] of Thumbnail.ini.
class TfrmPrintThumbnail : public TLayoutDialog {
    Q_OBJECT
public:
    // FormCreate: fills the lists, reads the saved choices and pushes them into the form.
    TfrmPrintThumbnail(TprtThumbnailPrint& form, TLayoutDialogParts parts,
                       QWidget* parent = nullptr);

    // The choices as the controls hold them.
    TIndexCardSettings Choices() const;
    void ApplySettings() override;
    void LoadSettings() override;
    void ResetControls() override;
    // Whether the grid shows the folders below its own: only then can each folder have cards
    // of its own. Takes effect with the next ApplySettings (Prepare makes one).
    void SetSubfolders(bool shown);
    void CbEachFolderClick();

    QCheckBox* CbEachFolder = nullptr;

protected:
    QImage RenderSample() override;
    void WriteSettings() override;
    QString SectionName() const override;
    int FileNameSize() const override;

private:
    void PutChoices(const TIndexCardSettings& settings);

    TprtThumbnailPrint& m_print;
    bool m_subfolders = false;
};

} // namespace mirte
