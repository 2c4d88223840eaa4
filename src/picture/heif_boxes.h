#pragma once

#include <QIODevice>
#include <QRect>
#include <QSize>
#include <map>
#include <vector>

namespace mirte {

// What libheif 1.15 does to a HEIF item's picture as it decodes but does not say: its sizes are
// the coded ones ('ispe'), or crops rounded otherwise than its decoder rounds them. The program
// reads the item properties that shape the picture from the file's boxes itself.

// A clean aperture ('clap'): the part of the picture meant to be seen, its size and the offset
// of its centre from the picture's centre, each a fraction (numerator, denominator).
struct HeifCleanAperture {
    qint64 width[2] = {0, 1};
    qint64 height[2] = {0, 1};
    qint64 horizontalOffset[2] = {0, 1};
    qint64 verticalOffset[2] = {0, 1};
};

// The properties of one item that change its picture's size, in the order libheif applies them:
// quarter turns ('irot') and crops ('clap'); a mirror keeps the size.
class HeifShape {
public:
    void AddTurn(int quarterTurns);
    void AddCrop(const HeifCleanAperture& aperture);

    // Anticlockwise quarter turns in all, 0 to 3.
    int QuarterTurns() const;
    bool Crops() const;
    // The size libheif decodes a picture coded at `coded` to, cropped and turned; empty when a
    // crop leaves nothing (libheif then refuses to decode it).
    QSize Shown(QSize coded) const;
    // The part of the coded picture its crops keep, for a picture decoded without its own turns
    // (each crop taken on the coded picture's axes); empty when nothing is left.
    QRect CodedPart(QSize coded) const;

private:
    struct Step {
        int quarterTurns = 0; // a turn when no crop
        bool crop = false;
        HeifCleanAperture aperture;
    };
    std::vector<Step> m_steps;
};

// The shapes of a file's items by their ids, and its primary item.
struct HeifBoxes {
    quint32 primary = 0;
    std::map<quint32, HeifShape> shapes;

    // An item without properties of shape (or unknown) keeps its coded picture as it is.
    HeifShape ShapeOf(quint32 item) const;
    HeifShape Primary() const { return ShapeOf(primary); }
};

// Reads the boxes from the file's 'meta' box; no shapes for a file whose boxes cannot be read.
HeifBoxes ReadHeifBoxes(QIODevice& in);

} // namespace mirte
