#include "icon_bitmap.h"

#include "picture/picture_format.h"
#include "util/paths.h"

#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>

namespace mirte {

namespace {

constexpr int kIconSize = 32;
constexpr int kMargin = 8;

// The file type judged by the extension alone, as the desktop names it.
QMimeType MimeTypeOfName(const QString& path) {
    static const QMimeDatabase database;
    return database.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
}

bool IsMovie(const QMimeType& type) {
    return type.name().startsWith(QLatin1String("video/"));
}

bool IsPicture(const QMimeType& type) {
    return type.name().startsWith(QLatin1String("image/"));
}

void DrawFilmStrip(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 48));
    painter.drawRect(9, 13, 14, 12);
    painter.setBrush(Qt::white);
    for (int y = 14; y < 25; y += 3) {
        painter.drawRect(10, y, 2, 2);
        painter.drawRect(20, y, 2, 2);
    }
    painter.setBrush(QColor(110, 170, 230));
    painter.drawRect(13, 15, 6, 8);
}

void DrawLandscape(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 200, 240));
    painter.drawRect(9, 13, 14, 12);
    painter.setBrush(QColor(240, 200, 60));
    painter.drawEllipse(QPoint(19, 16), 2, 2);
    painter.setBrush(QColor(70, 150, 70));
    QPainterPath hill;
    hill.moveTo(9, 25);
    hill.lineTo(14, 18);
    hill.lineTo(18, 22);
    hill.lineTo(20, 20);
    hill.lineTo(23, 25);
    hill.closeSubpath();
    painter.drawPath(hill);
}

void DrawTextLines(QPainter& painter) {
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 12; y <= 26; y += 3) {
        painter.drawLine(9, y, 22, y);
    }
}

} // namespace

QIcon FileTypeThemeIcon(const QString& path) {
    const QMimeType type = MimeTypeOfName(path);
    for (const QString& name : {type.iconName(), type.genericIconName()}) {
        if (!name.isEmpty() && QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name);
        }
    }
    return QIcon();
}

QImage FallbackFileTypeIcon(const QString& path) {
    QImage icon(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    // A page with its top right corner folded over.
    QPainterPath page;
    page.moveTo(5.5, 1.5);
    page.lineTo(20.5, 1.5);
    page.lineTo(26.5, 7.5);
    page.lineTo(26.5, 30.5);
    page.lineTo(5.5, 30.5);
    page.closeSubpath();
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    QPainterPath fold;
    fold.moveTo(20.5, 1.5);
    fold.lineTo(20.5, 7.5);
    fold.lineTo(26.5, 7.5);
    painter.setBrush(QColor(210, 210, 210));
    painter.drawPath(fold);

    const QMimeType type = MimeTypeOfName(path);
    if (IsMovie(type) || IsMovieExtension(ExtractExt(path))) {
        DrawFilmStrip(painter);
    } else if (IsPicture(type)) {
        DrawLandscape(painter);
    } else {
        DrawTextLines(painter);
    }
    return icon;
}

QImage MakeIconBitmap(const QString& path, bool* fromTheme) {
    QImage bitmap(kIconSize + 2 * kMargin, kIconSize + 2 * kMargin, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    const QIcon themeIcon = FileTypeThemeIcon(path);
    const QImage icon = themeIcon.isNull() ? FallbackFileTypeIcon(path)
                                           : themeIcon.pixmap(kIconSize, kIconSize)
                                                 .toImage()
                                                 .scaled(kIconSize, kIconSize, Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation);
    if (fromTheme != nullptr) {
        *fromTheme = !themeIcon.isNull();
    }
    QPainter painter(&bitmap);
    painter.drawImage((bitmap.width() - icon.width()) / 2, (bitmap.height() - icon.height()) / 2,
                      icon);
    return bitmap;
}

} // namespace mirte
