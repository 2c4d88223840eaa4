#pragma once

#include "lr_item.h"

#include <QCoreApplication>
#include <QImage>

namespace mirte {

class TDibGraphic;

// A picture box. It takes bitmaps and JPEG pictures only; it has no background and no frame.
class TLRImage : public TCustomLRItem {
    Q_DECLARE_TR_FUNCTIONS(TLRImage)

public:
    // True: the picture fills the item. False: on the printer the picture keeps one picture
    // pixel per design pixel from the item's top-left corner, cut at its edges; on any other
    // canvas it fills the item all the same.
    bool Stretch = false;

    const QImage& Picture() const { return m_picture; }
    // A bitmap; a null one clears the item.
    void SetPicture(const QImage& bitmap);
    void SetPicture(const TDibGraphic& dib);
    // A picture file's bytes: a BMP or JPEG picture, anything else raises ELRError
    // "イメージはビットマップかJPEGイメージのみ有効です" and leaves the item as it was. Broken data
    // raises the decoder's error.
    void SetPictureData(const QByteArray& bytes);

    // Moves and sizes the item so that its picture, aspect kept, fills `rect` (in the parent's
    // coordinates) as far as it can, centred. The picture must not be empty.
    void FitToRect(const TEdgeRect& rect);

    void PrintItem(TLRCanvas& canvas, const TEdgeRect& rect, TPrintStatus status,
                   double scale) override;

private:
    QImage m_picture;
};

// The picture as it goes to a printer for a box of `printed` device pixels: its own pixels,
// never enlarged, and reduced only where it has more than 300 pixels per printed inch.
QImage ReducedForPrint(const QImage& picture, QSize printed, int printerDpi);

} // namespace mirte
