#include "first_image.h"

#include "first_image_match.h"
#include "first_image_reasons.h"
#include "heif_thumbnails.h"
#include "jpeg_first_images.h"
#include "orientation.h"
#include "picture_header.h"
#include "raw_picture.h"

#include <exception>

namespace mirte {

namespace {

std::vector<TFirstImageCandidate> CandidatesOf(const QString& path, const PictureHeader& header,
                                               QString& damaged) {
    switch (header.format) {
    case PictureFormat::Jpeg:
        return JpegPreviewCandidates(path, header.orientation, damaged);
    case PictureFormat::Heif:
        return HeifThumbnailCandidates(path);
    case PictureFormat::Raw:
        return RawPreviewCandidates(path);
    default:
        return {};
    }
}

// Tries the candidates in the order of choice; the first that decodes and matches is taken.
// Of the refusals, a mismatch tells more than damage, and damage more than absence.
TFirstImage Choose(std::vector<TFirstImageCandidate>& candidates, QSize picture, QSize cover,
                   TFirstImage refused) {
    std::vector<QSize> sizes;
    sizes.reserve(candidates.size());
    for (const TFirstImageCandidate& candidate : candidates) {
        sizes.push_back(UprightSize(candidate.Size, candidate.Orientation));
    }
    for (const int index : CandidateOrder(sizes, picture, cover)) {
        TFirstImageCandidate& candidate = candidates[std::size_t(index)];
        TFirstImage tried;
        try {
            const QSize decodeAt = UprightSize(
                DecodeCover(sizes[std::size_t(index)], picture, cover), candidate.Orientation);
            tried = MatchFirstImage(MakeUpright(candidate.Decode(decodeAt), candidate.Orientation),
                                    picture);
        } catch (const std::exception& error) {
            tried = {QImage(), TFirstImageRefusal::Damaged,
                     FirstImageReason(TFirstImageRefusal::Damaged) +
                         QString::fromUtf8(error.what())};
        }
        if (tried.Refusal == TFirstImageRefusal::None) {
            return tried;
        }
        if (refused.Refusal == TFirstImageRefusal::NoOwnImage ||
            (refused.Refusal == TFirstImageRefusal::Damaged &&
             tried.Refusal != TFirstImageRefusal::Damaged)) {
            refused = tried;
        }
    }
    return refused;
}

} // namespace

TFirstImage ReadFirstImage(const QString& path, QSize cover) {
    try {
        const PictureHeader header = ReadPictureHeader(path);
        QString damaged;
        std::vector<TFirstImageCandidate> candidates = CandidatesOf(path, header, damaged);
        TFirstImage refused{QImage(), TFirstImageRefusal::NoOwnImage,
                            FirstImageReason(TFirstImageRefusal::NoOwnImage)};
        if (!damaged.isEmpty()) {
            refused = {QImage(), TFirstImageRefusal::Damaged,
                       FirstImageReason(TFirstImageRefusal::Damaged) + damaged};
        }
        const QSize picture = UprightSize(QSize(header.width, header.height), header.orientation);
        return Choose(candidates, picture, cover, refused);
    } catch (const std::exception& error) {
        return {QImage(), TFirstImageRefusal::Damaged, QString::fromUtf8(error.what())};
    }
}

} // namespace mirte
