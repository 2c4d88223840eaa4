// print index FOLDER: the index card of a folder's pictures, built by the same report form as
// the window's, printed into a PDF file, to a print queue, or as preview images.
#include "cache/sort_keys.h"
#include "cache/thumbnail_db.h"
#include "commands.h"
#include "layouts/folder_items.h"
#include "layouts/index_card_settings.h"
#include "layouts/prt_thumbnail_print.h"
#include "print_options.h"
#include "report/qt_printer_device.h"
#include "terminal_progress.h"
#include "util/cache_size.h"
#include "util/ini_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <exception>
#include <memory>

namespace mirte::cli {

namespace {

// Where the thumbnails come from: --cache, else the window's cache folder when --settings names
// its file, else the program's own default folder.
struct CacheChoice {
    QString Directory;
    qint64 SizeKB = 0;
};

CacheChoice ChooseCache(const PrintOptions& options, const IniFile* settings,
                        const QString& defaultDir) {
    CacheChoice choice;
    if (!options.CacheDir.isEmpty()) {
        choice.Directory = options.CacheDir;
    } else if (settings != nullptr) {
        const QString dir = settings->ReadString(QString::fromUtf8(kCacheSection),
                                                 QString::fromUtf8(kCacheDirectoryKey), QString());
        choice.Directory = !dir.isEmpty() && QFileInfo(dir).isDir() ? dir : defaultDir;
    } else {
        choice.Directory = defaultDir;
    }
    QDir().mkpath(choice.Directory);
    choice.SizeKB = settings != nullptr ? ReadCacheSizeKB(*settings, choice.Directory)
                                        : qint64{DefaultCacheSizeMB(choice.Directory)} * 1024;
    return choice;
}

TIndexCardSettings IndexCardChoices(const PrintOptions& options, const IniFile* settings) {
    TIndexCardSettings choices =
        settings != nullptr ? ReadIndexCardSettings(*settings) : index_card::Defaults();
    if (options.Layout >= 0) {
        choices.Layout = options.Layout;
    }
    if (options.HasTitle) {
        choices.Title = options.Title;
    }
    return choices;
}

// The preview images of the pages in the range, as PAGE-NNN.png.
int WritePreviewPages(TReportForm& form, const PrintOptions& options, int from, int to,
                      const Context& context) {
    if (!QDir().mkpath(options.PngDir)) {
        std::fprintf(context.err, "mirte-cli: cannot make %s\n", qUtf8Printable(options.PngDir));
        return 1;
    }
    TTerminalProgress progress(context.err);
    progress.Start();
    form.PageTotal = form.PageCount();
    for (int page = from; page <= to && !progress.CancelRequested(); ++page) {
        form.CurrentPage = page;
        const QString path =
            QDir(options.PngDir)
                .filePath(QStringLiteral("page-%1.png").arg(page, 3, 10, QLatin1Char('0')));
        if (!form.RenderPage().save(path, "PNG")) {
            progress.Finish();
            std::fprintf(context.err, "mirte-cli: cannot write %s\n", qUtf8Printable(path));
            return 1;
        }
        progress.PagePrinted(page, form.PageTotal, page * 100 / form.PageTotal);
    }
    progress.Finish();
    std::fprintf(context.out, "%s\t%d pages\n", qUtf8Printable(options.PngDir), to - from + 1);
    return 0;
}

} // namespace

int RunPrint(const QStringList& args, const Context& context) {
    if (!args.isEmpty() &&
        (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))) {
        std::fputs(PrintUsage(), context.out);
        return 0;
    }
    PrintOptions options;
    QString error;
    if (!ParsePrintOptions(args, options, error)) {
        if (!error.isEmpty()) {
            std::fprintf(context.err, "mirte-cli print: %s\n", qUtf8Printable(error));
        }
        std::fputs(PrintUsage(), context.err);
        return 2;
    }
    const QString folder = QFileInfo(options.Folder).absoluteFilePath();
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(context.err, "%s\tフォルダが存在しません。\n", qUtf8Printable(folder));
        return 1;
    }
    std::unique_ptr<IniFile> settings;
    if (!options.SettingsFile.isEmpty()) {
        // Read only: the command line never writes the program's settings.
        settings = std::make_unique<IniFile>(options.SettingsFile);
        if (!settings->Exists()) {
            std::fprintf(context.err, "%s\t設定ファイルがありません。既定の設定で印刷します。\n",
                         qUtf8Printable(options.SettingsFile));
        }
    }

    try {
        const CacheChoice cache = ChooseCache(options, settings.get(), context.defaultCacheDir);
        TThumbnailDB db(context.logDir, context.log);
        db.SetCacheDirectory(cache.Directory);
        db.SetMaxCacheSize(cache.SizeKB);
        db.SetThumbnailWidth(TThumbnailDB::CacheBox);
        db.SetThumbnailHeight(TThumbnailDB::CacheBox);

        TFolderItems items = TFolderItems::List(folder, db);
        items.Sort(options.Order);

        // The page is laid out for the printer's paper: a queue's, or the paper asked for.
        QTemporaryDir scratch;
        std::unique_ptr<TQtPrinterDevice> printer;
        if (!options.Queue.isEmpty()) {
            printer = TQtPrinterDevice::ForPrinter(options.Queue);
            if (options.HasPaper && !printer->SetPaper(options.Paper, printer->Orientation())) {
                std::fprintf(context.err, "mirte-cli: %s cannot take that paper\n",
                             qUtf8Printable(options.Queue));
                return 1;
            }
        } else {
            const QString target = options.PdfFile.isEmpty()
                                       ? scratch.filePath(QStringLiteral("measure.pdf"))
                                       : QFileInfo(options.PdfFile).absoluteFilePath();
            printer = TQtPrinterDevice::ForPdfFile(target, options.Paper);
        }

        TprtThumbnailPrint form(db, *printer);
        form.ListView = &items;
        form.ApplySettings(IndexCardChoices(options, settings.get()), folder);
        printer->SetOrientation(form.LayoutOrientation());
        form.ApplyPrinterLayout();

        const int pages = form.PageCount();
        const int from = options.FromPage > 0 ? options.FromPage : 1;
        const int to = options.ToPage > 0 ? std::min(options.ToPage, pages) : pages;
        if (from > pages) {
            std::fprintf(context.err, "mirte-cli print: the card has %d pages\n", pages);
            return 2;
        }
        if (!options.PngDir.isEmpty()) {
            return WritePreviewPages(form, options, from, to, context);
        }
        form.PrintFrom = from;
        form.PrintTo = to;
        TTerminalProgress progress(context.err);
        if (!form.PrintPages(progress)) {
            std::fputs("mirte-cli: 中断しました。何も印刷していません。\n", context.err);
            return 130;
        }
        db.SaveTable(); // here, so that a failure is reported (the destructor only logs)
        std::fprintf(context.out, "%s\t%d pages\n", qUtf8Printable(printer->Name()), to - from + 1);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(context.err, "mirte-cli: %s\n", e.what());
        return 1;
    }
}

} // namespace mirte::cli
