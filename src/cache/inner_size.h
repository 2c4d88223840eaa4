#pragma once

#include <QCoreApplication>

namespace mirte {

// Fits a picture into a box keeping its aspect ratio; it shrinks and enlarges alike, until the
// picture touches the box. Halves round to the even neighbour (52.5 -> 52, 53.5 -> 54).
class TInnerSize {
    Q_DECLARE_TR_FUNCTIONS(TInnerSize)

public:
    // Raises ECacheError "引数不正。TInnerSize.SetSize 枠サイズ(%d x %d)" for an empty box and
    // "... 画像サイズ(%d x %d)" for an empty picture; InnerWidth and InnerHeight are then 0.
    void SetSize(int frameWidth, int frameHeight, int imageWidth, int imageHeight);

    int FrameWidth = 0;
    int FrameHeight = 0;
    int ImageWidth = 0;
    int ImageHeight = 0;
    int InnerWidth = 0;
    int InnerHeight = 0;
};

} // namespace mirte
