#pragma once

#include "first_image_types.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <vector>

namespace mirte {

// Whether two sizes have the same proportions within 1 %.
bool SameAspect(QSize a, QSize b);

// The part of the image inside its letterbox bars: uniform near-black bands of about equal
// thickness at both the top and the bottom (or both the left and the right). The whole image
// when the bars are not plainly there.
QRect LetterboxContent(const QImage& stored);

// An upright candidate checked against the upright picture's size: taken as it is when its
// proportions match, its bars cut off when the crop then matches; refused otherwise.
TFirstImage MatchFirstImage(const QImage& upright, QSize picture);

// What of an upright candidate of `candidate` pixels would show the picture once its bars are
// cut off: the picture's proportions fitted into it.
QSize ContentSize(QSize candidate, QSize picture);

// The order in which to try candidates of these upright sizes for a picture of `picture`
// pixels shown at `cover`: first those whose content covers it, smallest first, then the
// others, largest first; with `cover` empty, largest first.
std::vector<int> CandidateOrder(const std::vector<QSize>& candidates, QSize picture, QSize cover);

// The size to decode an upright candidate at so that its content still covers `cover`; the
// candidate's own size when `cover` is empty or larger.
QSize DecodeCover(QSize candidate, QSize picture, QSize cover);

} // namespace mirte
