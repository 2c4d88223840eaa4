#include "cache/th_graphic.h"
#include "commands.h"
#include "picture/dib_graphic.h"
#include "picture/picture_error.h"
#include "util/errors.h"
#include "util/paths.h"
#include "util/replace_file.h"

#include <QDir>
#include <QFileInfo>

namespace mirte::cli {

namespace {

constexpr int DefaultBox = 512; // the cache's box

bool ParseSide(const QString& text, int& side) {
    bool ok = false;
    side = text.toInt(&ok);
    return ok && side > 0 && side <= 65535;
}

} // namespace

// thumb [--box W H] --out DIR FILE...: each picture fitted into the box (512 x 512 unless
// given), upright, written as DIR/NAME.bmp (24 bits). No cache is used.
int RunThumb(const QStringList& args, std::FILE* out, std::FILE* err) {
    int boxWidth = DefaultBox;
    int boxHeight = DefaultBox;
    QString outDir;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--box") && i + 2 < args.size()) {
            if (!ParseSide(args[i + 1], boxWidth) || !ParseSide(args[i + 2], boxHeight)) {
                std::fputs("mirte-cli thumb: --box takes two sides from 1 to 65535\n", err);
                return 2;
            }
            i += 2;
        } else if (args[i] == QLatin1String("--out") && i + 1 < args.size()) {
            outDir = args[++i];
        } else {
            files.append(args[i]);
        }
    }
    if (outDir.isEmpty() || files.isEmpty()) {
        std::fputs("usage: mirte-cli thumb [--box W H] --out DIR FILE...\n", err);
        return 2;
    }
    if (!QDir().mkpath(outDir)) {
        std::fprintf(err, "%s\tフォルダを作成できません。\n", qUtf8Printable(outDir));
        return 1;
    }
    TThGraphic graphic;
    graphic.SetFrameWidth(boxWidth);
    graphic.SetFrameHeight(boxHeight);
    int status = 0;
    for (const QString& path : files) {
        const QString target =
            JoinPath(outDir, QFileInfo(path).completeBaseName() + QStringLiteral(".bmp"));
        try {
            graphic.MakeThumbnail(path);
            TDibGraphic dib;
            dib.Assign(graphic.Thumbnail());
            ReplaceFile(target, dib.SaveToBytes(), false);
            std::fprintf(out, "%s\t%d\t%d\t%s\n", qUtf8Printable(path), graphic.Thumbnail().width(),
                         graphic.Thumbnail().height(), qUtf8Printable(target));
        } catch (const std::exception& error) {
            // Picture, fit and bitmap errors alike carry their message in UTF-8.
            std::fprintf(err, "%s\t%s\n", qUtf8Printable(path), error.what());
            status = 1;
        }
    }
    return status;
}

} // namespace mirte::cli
