#include "cache/thumbnail_db.h"
#include "commands.h"
#include "util/cache_size.h"
#include "util/errors.h"

namespace mirte::cli {

namespace {

void PrintRecord(std::FILE* out, const TThImage& record) {
    std::fprintf(out, "%s\n", qUtf8Printable(record.Columns().join(u'\t')));
}

int Get(TThumbnailDB& db, const QStringList& files, std::FILE* out, std::FILE* err) {
    int status = 0;
    for (const QString& path : files) {
        try {
            if (db.GetThumbnail(path)) {
                const QImage& bitmap = db.ThumbnailInfo.Bitmap;
                std::fprintf(out, "%s\t%dx%d\t%s\n", db.ThumbnailInfo.FromCache ? "hit" : "miss",
                             bitmap.width(), bitmap.height(), qUtf8Printable(path));
                std::fflush(out);
                continue;
            }
            std::fprintf(err, "%s\tファイルの日時とサイズを読めません。\n", qUtf8Printable(path));
        } catch (const std::exception& error) {
            std::fprintf(err, "%s\t%s\n", qUtf8Printable(path), error.what());
        }
        status = 1;
    }
    return status;
}

} // namespace

// cache --dir CACHEDIR [--size-kb N] get FILE... | list | clear
int RunCache(const QStringList& args, const Context& context) {
    std::FILE* out = context.out;
    std::FILE* err = context.err;
    QString dir;
    qint64 sizeKB = -1;
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dir") && i + 1 < args.size()) {
            dir = args[++i];
        } else if (args[i] == QLatin1String("--size-kb") && i + 1 < args.size()) {
            bool ok = false;
            sizeKB = args[++i].toLongLong(&ok);
            if (!ok || sizeKB < 0) {
                std::fputs("mirte-cli cache: --size-kb takes a number of kilobytes\n", err);
                return 2;
            }
        } else {
            rest = args.mid(i);
            break;
        }
    }
    const QString action = rest.isEmpty() ? QString() : rest.takeFirst();
    if (dir.isEmpty() ||
        (action != QLatin1String("get") && action != QLatin1String("list") &&
         action != QLatin1String("clear")) ||
        (action == QLatin1String("get") && rest.isEmpty())) {
        std::fputs("usage: mirte-cli cache --dir CACHEDIR [--size-kb N] get FILE...\n"
                   "       mirte-cli cache --dir CACHEDIR list\n"
                   "       mirte-cli cache --dir CACHEDIR clear\n",
                   err);
        return 2;
    }
    try {
        TThumbnailDB db(context.logDir, context.log);
        db.SetCacheDirectory(dir);
        db.SetMaxCacheSize(sizeKB >= 0 ? sizeKB : qint64{DefaultCacheSizeMB(dir)} * 1024);
        db.SetThumbnailWidth(TThumbnailDB::CacheBox);
        db.SetThumbnailHeight(TThumbnailDB::CacheBox);
        int status = 0;
        if (action == QLatin1String("get")) {
            status = Get(db, rest, out, err);
        } else if (action == QLatin1String("list")) {
            for (int i = 0; i < db.Table.Images.Count(); ++i) {
                PrintRecord(out, *db.Table.Images.Image(i));
            }
        } else {
            db.ClearCache();
        }
        db.SaveTable(); // here, so that a failure is reported (the destructor only logs)
        return status;
    } catch (const ECacheError& error) {
        std::fprintf(err, "%s\t%s\n", qUtf8Printable(dir), error.what());
        return 1;
    }
}

} // namespace mirte::cli
