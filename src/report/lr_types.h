#pragma once

#include "picture/fit_rect.h"

#include <QColor>
#include <QString>
#include <cstdint>

namespace mirte {

// What a panel or a grid cell prints: everything, only backgrounds and frame lines, or nothing.
enum class TPrintStatus : std::uint8_t { stPrint = 0, stLinesOnly = 1, stSkip = 2 };

// A control's docking inside its parent.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// The panels' view of their docking; everything but the four sides reads as laClient.
enum class TLRAlign { laTop, laLeft, laRight, laBottom, laClient };
enum class TPrintDirection { pdHorz, pdVert, pdHolz };
enum class TPaperSize { psNone, psA4, psB4, psB5, psA3, psA5 };
enum class TReportState { rsIdle, rsPrinting, rsPreviewing };

enum class TLineStyle { lsNone, lsSingle, lsHalf, lsDouble };
enum class TTextAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TEscapementStatus { esNormal, esLeft, esTurn, esRight };

// A font as the layouts give it: the height is the character height in design pixels (1/96
// inch); the size in points follows from it, as in a form designer.
struct TLRFont {
    QString Name = QStringLiteral("ＭＳ Ｐゴシック");
    int Height = 12; // 9 points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    QColor Color = Qt::black;

    int Size() const;         // points, from the height
    void SetSize(int points); // sets the height from points
    bool operator==(const TLRFont&) const = default;
};

// a × b ÷ c rounded to the nearest, halves away from zero (the classic MulDiv).
int MulDiv(int a, int b, int c);

} // namespace mirte
