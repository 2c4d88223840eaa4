#include "first_image_match.h"

#include "first_image_reasons.h"

#include <algorithm>
#include <cmath>

namespace mirte {

namespace {

constexpr double MaxAspectDifference = 0.01;
// A bar's pixels: no channel above NearBlack, and little change from one pixel to the next
// along a line (at most MaxGrain on average), so that the grain and detail of a dark
// photograph's shadows are not taken for a bar, while the soft edge a JPEG gives a bar is.
constexpr int NearBlack = 40;
constexpr double MaxGrain = 4.0;
// A bar is at least this thick and this share of the side; the two bars of a pair differ by
// at most BarSlack pixels or an eighth of their sum (the encoder's block rounding).
constexpr int MinBarPixels = 2;
constexpr double MinBarShare = 0.01;
constexpr int BarSlack = 2;

int Brightest(QRgb pixel) {
    return std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
}

// Whether one row (or column) of an RGB32 image could belong to a bar.
bool BarLine(const QImage& image, int index, bool row) {
    const int length = row ? image.width() : image.height();
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row ? index : 0));
    const qsizetype step = row ? 1 : image.bytesPerLine() / qsizetype(sizeof(QRgb));
    const qsizetype start = row ? 0 : index;
    qint64 grain = 0;
    int previous = Brightest(line[start]);
    for (int i = 0; i < length; ++i) {
        const int value = Brightest(line[start + i * step]);
        if (value > NearBlack) {
            return false;
        }
        grain += std::abs(value - previous);
        previous = value;
    }
    return double(grain) <= MaxGrain * length;
}

// How many lines from one edge are bar lines.
int BarThickness(const QImage& image, bool rows, bool fromStart) {
    const int count = rows ? image.height() : image.width();
    int thickness = 0;
    while (thickness < count / 2 &&
           BarLine(image, fromStart ? thickness : count - 1 - thickness, rows)) {
        ++thickness;
    }
    return thickness;
}

// The two bars along rows (top, bottom) or columns (left, right) when they are plainly there.
bool FindBars(const QImage& image, bool rows, int& first, int& second) {
    const int side = rows ? image.height() : image.width();
    first = BarThickness(image, rows, true);
    second = BarThickness(image, rows, false);
    const int least = std::max(MinBarPixels, int(std::ceil(side * MinBarShare)));
    return first >= least && second >= least &&
           std::abs(first - second) <= std::max(BarSlack, (first + second) / 8) &&
           first + second < side;
}

TFirstImage Refused(TFirstImageRefusal refusal) {
    return {QImage(), refusal, FirstImageReason(refusal)};
}

} // namespace

bool SameAspect(QSize a, QSize b) {
    if (a.isEmpty() || b.isEmpty()) {
        return false;
    }
    const double aspectA = double(a.width()) / a.height();
    const double aspectB = double(b.width()) / b.height();
    return std::abs(aspectA - aspectB) <= MaxAspectDifference * aspectB;
}

QRect LetterboxContent(const QImage& stored) {
    const QImage image = stored.convertToFormat(QImage::Format_RGB32);
    int first = 0;
    int second = 0;
    if (FindBars(image, true, first, second)) {
        return QRect(0, first, image.width(), image.height() - first - second);
    }
    if (FindBars(image, false, first, second)) {
        return QRect(first, 0, image.width() - first - second, image.height());
    }
    return image.rect();
}

TFirstImage MatchFirstImage(const QImage& upright, QSize picture) {
    if (upright.isNull()) {
        return Refused(TFirstImageRefusal::Damaged);
    }
    if (SameAspect(upright.size(), picture)) {
        return {upright, TFirstImageRefusal::None, QString()};
    }
    const QRect content = LetterboxContent(upright);
    if (content == upright.rect()) {
        return Refused(TFirstImageRefusal::AspectDiffers);
    }
    if (!SameAspect(content.size(), picture)) {
        return Refused(TFirstImageRefusal::NotCroppable);
    }
    return {upright.copy(content), TFirstImageRefusal::None, QString()};
}

QSize ContentSize(QSize candidate, QSize picture) {
    if (candidate.isEmpty() || picture.isEmpty()) {
        return candidate;
    }
    return picture.scaled(candidate, Qt::KeepAspectRatio).boundedTo(candidate);
}

std::vector<int> CandidateOrder(const std::vector<QSize>& candidates, QSize picture, QSize cover) {
    std::vector<int> order(candidates.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = int(i);
    }
    const auto area = [&](int i) {
        const QSize content = ContentSize(candidates[std::size_t(i)], picture);
        return qint64{content.width()} * content.height();
    };
    const auto covers = [&](int i) {
        const QSize content = ContentSize(candidates[std::size_t(i)], picture);
        return !cover.isEmpty() && content.width() >= cover.width() &&
               content.height() >= cover.height();
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (covers(a) != covers(b)) {
            return covers(a);
        }
        return covers(a) ? area(a) < area(b) : area(a) > area(b);
    });
    return order;
}

QSize DecodeCover(QSize candidate, QSize picture, QSize cover) {
    const QSize content = ContentSize(candidate, picture);
    if (cover.isEmpty() || content.isEmpty()) {
        return candidate;
    }
    const double factor = std::max(double(cover.width()) / content.width(),
                                   double(cover.height()) / content.height());
    if (factor >= 1.0) {
        return candidate;
    }
    return QSize(int(std::ceil(candidate.width() * factor)),
                 int(std::ceil(candidate.height() * factor)));
}

} // namespace mirte
