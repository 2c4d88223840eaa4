#include "window_state.h"

#include "util/ini_file.h"

#include <QSize>
#include <algorithm>

namespace mirte {

namespace {

const QString kFolder = QStringLiteral("Folder");
const QString kSortOrder = QStringLiteral("SortOrder");
const QString kSize = QStringLiteral("ThumbnailSize");
const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kMaximized = QStringLiteral("Maximized");
const QString kSubfolders = QStringLiteral("Subfolders");

int ReadRow(const IniFile& ini, const QString& key, int count, int defaultRow) {
    const int row = ini.ReadInteger(QString::fromUtf8(kWindowSection), key, defaultRow);
    return row >= 0 && row < count ? row : defaultRow;
}

} // namespace

TWindowState ReadWindowState(const IniFile& ini, int sortOrders, int sizes) {
    const QString section = QString::fromUtf8(kWindowSection);
    TWindowState state;
    state.Folder = ini.ReadString(section, kFolder, QString());
    state.SortOrder = ReadRow(ini, kSortOrder, sortOrders, state.SortOrder);
    state.SizeIndex = ReadRow(ini, kSize, sizes, state.SizeIndex);
    const QRect geometry(ini.ReadInteger(section, kLeft, 0), ini.ReadInteger(section, kTop, 0),
                         ini.ReadInteger(section, kWidth, 0), ini.ReadInteger(section, kHeight, 0));
    if (geometry.width() > 0 && geometry.height() > 0) {
        state.Geometry = geometry;
    }
    state.Maximized = ini.ReadBool(section, kMaximized, false);
    state.Subfolders = ini.ReadBool(section, kSubfolders, false);
    return state;
}

void WriteWindowState(IniFile& ini, const TWindowState& state) {
    if (ini.IsReadOnly()) {
        return;
    }
    const QString section = QString::fromUtf8(kWindowSection);
    const auto text = [&](const QString& key, const QString& value) {
        if (!ini.ValueExists(section, key) || ini.ReadString(section, key, QString()) != value) {
            ini.WriteString(section, key, value);
        }
    };
    const auto number = [&](const QString& key, int value) { text(key, QString::number(value)); };
    try {
        text(kFolder, state.Folder);
        number(kSortOrder, state.SortOrder);
        number(kSize, state.SizeIndex);
        if (state.Geometry.isValid()) {
            number(kLeft, state.Geometry.left());
            number(kTop, state.Geometry.top());
            number(kWidth, state.Geometry.width());
            number(kHeight, state.Geometry.height());
        }
        number(kMaximized, state.Maximized ? 1 : 0);
        number(kSubfolders, state.Subfolders ? 1 : 0);
    } catch (const EIniFileError&) {
        // Not kept this time; the window works all the same.
    }
}

QRect PlaceInWorkArea(const QRect& kept, const QRect& area) {
    if (!area.isValid()) {
        return kept;
    }
    const QSize size = kept.size().boundedTo(area.size());
    const int left = std::clamp(kept.left(), area.left(), area.right() + 1 - size.width());
    const int top = std::clamp(kept.top(), area.top(), area.bottom() + 1 - size.height());
    return {left, top, size.width(), size.height()};
}

} // namespace mirte
