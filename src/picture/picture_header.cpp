#include "picture_header.h"

#include "format_table.h"
#include "picture_error.h"
#include "picture_reasons.h"
#include "util/paths.h"

#include <QCoreApplication>
#include <QFile>

namespace mirte {

PictureHeader ReadPictureHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ThrowPictureError(path, FileFault(file));
    }
    const FormatEntry* entry =
        FindFormat(FormatOf(SniffFormat(file.peek(SniffBytes)), ExtractExt(path)));
    if (entry == nullptr) {
        ThrowPictureError(
            path, QCoreApplication::translate("PictureErrors", "画像の形式がわかりません。"));
    }
    PictureHeader header;
    TPictureFault fault;
    bool ok = false;
    if (entry->readHeader != nullptr) {
        ok = entry->readHeader(file, header, fault.reason);
    } else {
        file.close(); // the library opens the file itself
        ok = entry->readHeaderAt(path, header, fault);
    }
    if (!ok) {
        ThrowPictureError(path, fault);
    }
    CheckPictureSize(path, header.width, header.height);
    return header;
}

} // namespace mirte
