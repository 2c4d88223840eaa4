#include "commands.h"
#include "picture/first_image.h"

namespace mirte::cli {

// thumb --first-image --out DIR FILE...: each file's first image as the grid shows it before
// the thumbnail comes (upright, without letterbox bars, not scaled), written as DIR/NAME.bmp;
// a file without one is reported with the reason. Each is read in turn: it takes milliseconds.
int RunThumbFirstImages(const QString& outDir, const QStringList& files, std::FILE* out,
                        std::FILE* err) {
    int status = 0;
    for (const QString& path : files) {
        const TFirstImage first = ReadFirstImage(path);
        if (!WriteThumbBitmap(outDir, path, first.Picture, first.Reason, out, err)) {
            status = 1;
        }
    }
    return status;
}

} // namespace mirte::cli
