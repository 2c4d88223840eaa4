#include "commands.h"
#include "picture/dib_graphic.h"
#include "picture/first_image.h"
#include "util/paths.h"
#include "util/replace_file.h"

#include <QFileInfo>
#include <exception>

namespace mirte::cli {

// thumb --first-image --out DIR FILE...: each file's first image as the grid shows it before
// the thumbnail comes (upright, without letterbox bars, not scaled), written as DIR/NAME.bmp;
// a file without one is reported with the reason. Each is read in turn: it takes milliseconds.
int RunThumbFirstImages(const QString& outDir, const QStringList& files, std::FILE* out,
                        std::FILE* err) {
    int status = 0;
    for (const QString& path : files) {
        const TFirstImage first = ReadFirstImage(path);
        if (first.Picture.isNull()) {
            std::fprintf(err, "%s\t%s\n", qUtf8Printable(path), qUtf8Printable(first.Reason));
            status = 1;
            continue;
        }
        const QString target =
            JoinPath(outDir, QFileInfo(path).completeBaseName() + QStringLiteral(".bmp"));
        try {
            TDibGraphic dib;
            dib.Assign(first.Picture);
            ReplaceFile(target, dib.SaveToBytes(), false);
            std::fprintf(out, "%s\t%d\t%d\t%s\n", qUtf8Printable(path), first.Picture.width(),
                         first.Picture.height(), qUtf8Printable(target));
        } catch (const std::exception& error) {
            std::fprintf(err, "%s\t%s\n", qUtf8Printable(path), error.what());
            status = 1;
        }
    }
    return status;
}

} // namespace mirte::cli
