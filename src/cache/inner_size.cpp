#include "inner_size.h"

#include "util/errors.h"
#include "util/rounding.h"

namespace mirte {

void TInnerSize::SetSize(int frameWidth, int frameHeight, int imageWidth, int imageHeight) {
    FrameWidth = frameWidth;
    FrameHeight = frameHeight;
    ImageWidth = imageWidth;
    ImageHeight = imageHeight;
    InnerWidth = 0;
    InnerHeight = 0;
    // Negative sides are as meaningless as empty ones.
    if (frameWidth <= 0 || frameHeight <= 0) {
        throw ECacheError(
            tr("引数不正。TInnerSize.SetSize 枠サイズ(%1 x %2)").arg(frameWidth).arg(frameHeight));
    }
    if (imageWidth <= 0 || imageHeight <= 0) {
        throw ECacheError(tr("引数不正。TInnerSize.SetSize 画像サイズ(%1 x %2)")
                              .arg(imageWidth)
                              .arg(imageHeight));
    }
    const double frameRatio = double(frameHeight) / double(frameWidth);
    const double imageRatio = double(imageHeight) / double(imageWidth);
    if (frameRatio > imageRatio) {
        InnerWidth = frameWidth;
        InnerHeight = RoundHalfEven(frameWidth * imageRatio);
    } else {
        InnerHeight = frameHeight;
        InnerWidth = RoundHalfEven(frameHeight / imageRatio);
    }
    if (InnerHeight > FrameHeight) {
        InnerHeight = FrameHeight;
    }
    if (InnerWidth > FrameWidth) {
        InnerWidth = FrameWidth;
    }
}

} // namespace mirte
