#include "picture_header.h"

#include "format_table.h"
#include "picture_error.h"
#include "util/paths.h"

#include <QFile>

namespace mirte {

PictureHeader ReadPictureHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ThrowPictureError(path, file.errorString());
    }
    const FormatEntry* entry =
        FindFormat(FormatOf(SniffFormat(file.peek(SniffBytes)), ExtractExt(path)));
    if (entry == nullptr) {
        ThrowPictureError(path, QStringLiteral("画像の形式がわかりません。"));
    }
    PictureHeader header;
    QString error;
    bool ok = false;
    if (entry->readHeader != nullptr) {
        ok = entry->readHeader(file, header, error);
    } else {
        file.close(); // the library opens the file itself
        ok = entry->readHeaderAt(path, header, error);
    }
    if (!ok) {
        ThrowPictureError(path, error);
    }
    CheckPictureSize(path, header.width, header.height);
    return header;
}

} // namespace mirte
