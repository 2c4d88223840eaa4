#pragma once

#include "jacket_settings.h"
#include "report/lr_image.h"
#include "report/lr_panels.h"
#include "report/lr_text_item.h"
#include "report_form.h"

#include <QCoreApplication>
#include <QImage>
#include <array>

namespace mirte {

// The back card's report form: one picture on a card for the back of a CD case, at the top of a
// portrait page: a face of 521 x 442 design pixels between two spines of 22, and a coloured
// strip of 37 right of the right spine. The face holds the title, the picture, four ruled lines
// and a coloured band in one of four arrangements; the spines repeat the title along them.
class TprtJacketPrint : public TReportForm {
    Q_DECLARE_TR_FUNCTIONS(TprtJacketPrint)

public:
    // Face width and height, spine width and height, strip width and height; then per layout
    // code the title, picture, ruled-lines and band boxes (left, top, right, bottom) on the face.
    static constexpr std::array<int, 70> JacketGeometry{
        521, 442, 22,  442, 37,  438,                                                 //
        34,  0,   488, 40,  26,  57,  496, 303, 34,  321, 488, 404, 0, 416, 521, 442, // 0: top
        34,  0,   488, 40,  34,  60,  250, 378, 280, 40,  488, 375, 0, 416, 521, 442, // 1: left
        34,  0,   488, 40,  26,  158, 496, 404, 34,  57,  488, 140, 0, 416, 521, 442, // 2: bottom
        34,  0,   488, 40,  280, 60,  488, 378, 34,  40,  250, 375, 0, 416, 521, 442, // 3: right
    };
    // The box of a layout code: 0 title, 1 picture, 2 ruled lines, 3 band.
    static TEdgeRect Box(int code, int box);

    explicit TprtJacketPrint(TPrinterDevice& printer);

    int LayoutCode = 0;
    // The picture to print (a null one leaves the box empty), turned a quarter clockwise
    // `quarterTurns` times from the picture as shown; ApplySettings lays the card out for it.
    void AssignPicture(const QImage& bitmap, int quarterTurns = 0);
    // The file the picture was made from, as it was listed: printing renders it at the paper's
    // resolution while it is still that file (else the picture itself prints).
    void AssignOriginal(const TPictureWant& original) { m_original = original; }
    void SetLabelColor(const QColor& color);
    // Pushes the dialog's choices into the form: the label colour, the title on the face and
    // the spines, the face title's font, the arrangement; then lays the page out.
    void ApplySettings(const TJacketSettings& settings);

    int PageCount() const override { return 1; }
    TPrinterOrientation LayoutOrientation() const override {
        return TPrinterOrientation::poPortrait;
    }
    // The whole card with its spines and strip (603 x 443) at scale 1, on `background`.
    QImage RenderSample(const QColor& background);
    // The one page: BeginDoc, PrintPage, EndDoc; a failure aborts the job and is raised again.
    void PrintJacket();
    bool Print(TPrintProgress& progress) override;

    TLRLayoutPanel* BasePanel = nullptr;
    TLRLayoutPanel* SpacePanel1 = nullptr;
    TLRLayoutPanel* SpacePanel2 = nullptr;
    TLRLayoutPanel* SpacePanel3 = nullptr;
    TLRLayoutPanel* SpacePanel4 = nullptr;
    TLRLayoutPanel* JacketPanel = nullptr;
    TLRLayoutPanel* JacketPanelLeft = nullptr;
    TLRItem2* LJacketTitle = nullptr;
    TLRLayoutPanel* JacketPanelCenter = nullptr;
    TLRItem2* JacketTitle = nullptr;
    TLRItem* JacketTitleBack = nullptr;
    TLRImage* JacketImage = nullptr;
    std::array<TLRItem*, 4> JacketLine{};
    TLRItem* JacketPath = nullptr;
    TLRItem* CJacketBack2 = nullptr;
    TLRLayoutPanel* JacketPanelRight = nullptr;
    TLRItem2* RJacketTitle = nullptr;
    TLRLayoutPanel* JacketPanelRight2 = nullptr;
    TLRItem* CJacketBack = nullptr;
    TLRItem* LJacketBack = nullptr;
    TLRItem* RJacketBack = nullptr;
    TLRItem2* RJacketBack2 = nullptr;

protected:
    void LayOutPage() override;
    std::vector<TPictureWant> PageWants(int page) const override;

private:
    void Build();
    void PlaceFace();

    TPictureWant m_original;
    int m_quarterTurns = 0;
    QImage m_assigned; // the picture as assigned, while the original is printed in its place
};

// The picture turned a quarter clockwise `turns` times (counter-clockwise for a negative count),
// as "回転" turns it; what no pixel covers is white.
QImage TurnedClockwise(const QImage& picture, int turns);

} // namespace mirte
