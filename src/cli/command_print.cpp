// print index|jacket|contact: a layout built by the same report form as the window's, printed
// into a PDF file, to a print queue, or as preview images.
#include "cache/sort_keys.h"
#include "cache/thumbnail_db.h"
#include "commands.h"
#include "layouts/folder_items.h"
#include "layouts/print_picture.h"
#include "layouts/prt_contact_sheet_print.h"
#include "layouts/prt_jacket_print.h"
#include "layouts/prt_thumbnail_print.h"
#include "print_options.h"
#include "report/qt_printer_device.h"
#include "terminal_progress.h"
#include "util/cache_size.h"
#include "util/dir_list.h"
#include "util/file_system_kind.h"
#include "util/folder_walk.h"
#include "util/ini_file.h"
#include "util/leftovers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

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
        // As the window takes it: an existing folder on a file system that keeps files.
        choice.Directory = !dir.isEmpty() && QFileInfo(dir).isDir() && IsOnOrdinaryFileSystem(dir)
                               ? dir
                               : defaultDir;
    } else {
        choice.Directory = defaultDir;
    }
    QDir().mkpath(choice.Directory);
    choice.SizeKB = settings != nullptr ? ReadCacheSizeKB(*settings, choice.Directory)
                                        : qint64{DefaultCacheSizeMB(choice.Directory)} * 1024;
    return choice;
}

// The saved choices of a layout (its defaults without a settings file), with the flags over
// them.
template <class Settings>
Settings Choices(const PrintOptions& options, const IniFile* ini, Settings (*read)(const IniFile&),
                 Settings defaults) {
    Settings choices = ini != nullptr ? read(*ini) : defaults;
    if (options.Layout >= 0) {
        choices.Layout = options.Layout;
    }
    if (options.HasTitle) {
        choices.Title = options.Title;
    }
    return choices;
}

// The report form of the layout asked for, with its items or picture and its choices pushed
// in, as the window's dialog pushes them.
class FormBuilder {
public:
    FormBuilder(const PrintOptions& options, const IniFile* ini, TThumbnailDB& db,
                TPrinterDevice& printer, const Context& context)
        : m_options(options), m_ini(ini), m_db(db), m_printer(printer), m_context(context) {}

    std::unique_ptr<TReportForm> Build(const QString& source) {
        switch (m_options.Kind) {
        case PrintKind::Jacket:
            return Jacket(source);
        case PrintKind::Contact:
            return ContactSheet(source);
        case PrintKind::Index:
            break;
        }
        return IndexCard(source);
    }

private:
    void ListFolder(const QString& folder) {
        m_items = TFolderItems::List(folder, m_db);
        m_items.Sort(m_options.Order);
    }

    // The folder and every folder below it; what the walk left out is told, and the rest
    // printed all the same.
    void ListTree(const QString& root) {
        std::vector<TWalkSkip> skipped;
        m_items = TFolderItems::ListTree(root, m_db, &skipped);
        m_items.Sort(m_options.Order);
        for (const TWalkSkip& skip : skipped) {
            std::fprintf(m_context.err, "%s\t%s\n", qUtf8Printable(skip.Path),
                         qUtf8Printable(skip.Reason));
        }
    }

    std::unique_ptr<TReportForm> IndexCard(const QString& folder) {
        if (m_options.EachFolder) {
            ListTree(folder);
        } else {
            ListFolder(folder);
        }
        auto form = std::make_unique<TprtThumbnailPrint>(m_db, m_printer);
        form->ListView = &m_items;
        TIndexCardSettings choices =
            Choices(m_options, m_ini, &ReadIndexCardSettings, index_card::Defaults());
        // The saved choice is the window's, for trees it shows; here the flag alone decides.
        choices.EachFolder = m_options.EachFolder;
        form->ApplySettings(choices, folder);
        return form;
    }

    std::unique_ptr<TReportForm> ContactSheet(const QString& folder) {
        ListFolder(folder);
        auto form = std::make_unique<TprtContactSheetPrint>(m_db, m_printer);
        form->ListView = &m_items;
        TContactSheetSettings choices =
            Choices(m_options, m_ini, &ReadContactSheetSettings, contact_sheet::Defaults());
        choices.ShowFileName = choices.ShowFileName && !m_options.NoNames;
        choices.ShowDate = choices.ShowDate && !m_options.NoDates;
        form->ApplySettings(choices, folder);
        return form;
    }

    std::unique_ptr<TReportForm> Jacket(const QString& picturePath) {
        TJacketSettings choices =
            Choices(m_options, m_ini, &ReadJacketSettings, jacket::Defaults());
        if (m_options.Rotate >= 0) {
            choices.RotateCount = m_options.Rotate;
        }
        const TPrintPicture picture = FetchPrintPicture(m_db, picturePath);
        if (picture.Picture.isNull()) {
            std::fprintf(m_context.err, "%s\t%s\n", qUtf8Printable(picturePath),
                         qUtf8Printable(QCoreApplication::translate(
                             "CliMessages", "画像を読み込めません。写真なしで印刷します。")));
        }
        auto form = std::make_unique<TprtJacketPrint>(m_printer);
        form->AssignOriginal(picture.Original);
        form->AssignPicture(TurnedClockwise(picture.Picture, choices.RotateCount),
                            choices.RotateCount);
        form->ApplySettings(choices);
        return form;
    }

    const PrintOptions& m_options;
    const IniFile* m_ini;
    TThumbnailDB& m_db;
    TPrinterDevice& m_printer;
    const Context& m_context;
    TFolderItems m_items;
};

// A run's scratch folder in the temporary folder: this, the process's id, "-" and a unique part.
// It holds the file a job to a PDF writes to (kTargetNote), so that a later run can remove
// what a killed one left beside it.
const QString kScratchPrefix = QStringLiteral("mirte-cli-");
const QString kTargetNote = QStringLiteral("target");

// What killed runs left: their scratch folders, the new files beside their PDF targets, their
// queue spools. (Those beside this run's target go when it is written.)
void RemoveWhatKilledRunsLeft() {
    RemoveLeftovers(QDir::tempPath(), kScratchPrefix, [](const QString& folder) {
        QFile note(QDir(folder).filePath(kTargetNote));
        if (note.open(QIODevice::ReadOnly)) {
            RemoveLeftoverWrites(QString::fromUtf8(note.readAll()));
        }
    });
    RemoveLeftovers(QDir::tempPath(), QString::fromUtf8(TQtPrinterDevice::kSpoolPrefix));
}

// This run's scratch folder, with the note of its PDF target.
std::unique_ptr<QTemporaryDir> MakeScratch(const QString& pdfTarget) {
    auto scratch = std::make_unique<QTemporaryDir>(
        QDir::temp().filePath(NameOfThisProcess(kScratchPrefix) + QStringLiteral("XXXXXX")));
    QFile note(scratch->filePath(kTargetNote));
    if (!pdfTarget.isEmpty() && scratch->isValid() && note.open(QIODevice::WriteOnly)) {
        note.write(pdfTarget.toUtf8());
    }
    return scratch;
}

// "1 page", "2 pages": the result lines' count on standard output, for scripts (untranslated).
QByteArray PagesText(int count) {
    return QByteArray::number(count) + (count == 1 ? " page" : " pages");
}

// The preview images of the pages in the range, as page-NNN.png.
int WritePreviewPages(TReportForm& form, const PrintOptions& options, int from, int to,
                      const Context& context) {
    if (!QDir().mkpath(options.PngDir)) {
        std::fprintf(context.err, "%s\n",
                     qUtf8Printable(QCoreApplication::translate("CliMessages",
                                                                "mirte-cli: %1 を作成できません")
                                        .arg(options.PngDir)));
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
            std::fprintf(context.err, "%s\n",
                         qUtf8Printable(QCoreApplication::translate(
                                            "CliMessages", "mirte-cli: %1 に書き込めません")
                                            .arg(path)));
            return 1;
        }
        progress.PagePrinted(page, form.PageTotal, page * 100 / form.PageTotal);
    }
    progress.Finish();
    std::fprintf(context.out, "%s\t%s\n", qUtf8Printable(options.PngDir),
                 PagesText(to - from + 1).constData());
    return 0;
}

// The printer the page is laid out for: a queue (with the paper asked for), or a PDF file on
// that paper (a scratch one that is never written, for the preview images).
std::unique_ptr<TQtPrinterDevice> MakePrinter(const PrintOptions& options,
                                              const QTemporaryDir& scratch, QString& error) {
    if (!options.Queue.isEmpty()) {
        auto printer = TQtPrinterDevice::ForPrinter(options.Queue);
        if (options.HasPaper && !printer->SetPaper(options.Paper, printer->Orientation())) {
            error = QCoreApplication::translate("CliMessages", "%1 はその用紙に印刷できません")
                        .arg(options.Queue);
            return nullptr;
        }
        return printer;
    }
    const QString target = options.PdfFile.isEmpty()
                               ? scratch.filePath(QStringLiteral("measure.pdf")) // never written
                               : QFileInfo(options.PdfFile).absoluteFilePath();
    return TQtPrinterDevice::ForPdfFile(target, options.Paper);
}

} // namespace

int RunPrint(const QStringList& args, const Context& context) {
    if (!args.isEmpty() &&
        (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))) {
        std::fputs(qUtf8Printable(PrintUsage()), context.out);
        return 0;
    }
    PrintOptions options;
    QString error;
    if (!ParsePrintOptions(args, options, error)) {
        if (!error.isEmpty()) {
            std::fprintf(context.err, "mirte-cli print: %s\n", qUtf8Printable(error));
        }
        std::fputs(qUtf8Printable(PrintUsage()), context.err);
        return 2;
    }
    const QString source = QFileInfo(options.Source).absoluteFilePath();
    const bool wantsFolder = options.Kind != PrintKind::Jacket;
    if (!wantsFolder && !QFileInfo(source).isFile()) {
        std::fprintf(context.err, "%s\t%s\n", qUtf8Printable(source),
                     qUtf8Printable(
                         QCoreApplication::translate("CliMessages", "ファイルが見つかりません。")));
        return 1;
    }
    // A folder that cannot be read would print as an empty one.
    if (const int error = wantsFolder ? FolderOpenError(source) : 0; error != 0) {
        std::fprintf(context.err, "%s\t%s\n", qUtf8Printable(source),
                     qUtf8Printable(FolderErrorText(error)));
        return 1;
    }
    std::unique_ptr<IniFile> settings;
    if (!options.SettingsFile.isEmpty()) {
        // Read only: the command line never writes the program's settings.
        settings = std::make_unique<IniFile>(options.SettingsFile);
        if (!settings->Exists()) {
            std::fprintf(context.err, "%s\t%s\n", qUtf8Printable(options.SettingsFile),
                         qUtf8Printable(QCoreApplication::translate(
                             "CliMessages", "設定ファイルがありません。既定の設定で印刷します。")));
        }
    }

    const QString pdfTarget =
        options.PdfFile.isEmpty() ? QString() : QFileInfo(options.PdfFile).absoluteFilePath();
    RemoveWhatKilledRunsLeft();

    try {
        const CacheChoice cache = ChooseCache(options, settings.get(), context.defaultCacheDir);
        TThumbnailDB db(context.logDir, context.log);
        WatchCacheFolder(db, context);
        db.SetCacheDirectory(cache.Directory);
        db.SetMaxCacheSize(cache.SizeKB);

        const std::unique_ptr<QTemporaryDir> scratch = MakeScratch(pdfTarget);
        const auto printer = MakePrinter(options, *scratch, error);
        if (!printer) {
            std::fprintf(context.err, "mirte-cli: %s\n", qUtf8Printable(error));
            return 1;
        }
        FormBuilder builder(options, settings.get(), db, *printer, context);
        const std::unique_ptr<TReportForm> form = builder.Build(source);
        form->ApplyLayoutOrientation();

        const int pages = form->PageCount();
        const int from = options.FromPage > 0 ? options.FromPage : 1;
        const int to = options.ToPage > 0 ? std::min(options.ToPage, pages) : pages;
        if (from > pages) {
            const QString has =
                pages == 1
                    ? QCoreApplication::translate("CliMessages",
                                                  "mirte-cli print: このレイアウトは 1 ページです")
                    : QCoreApplication::translate("CliMessages",
                                                  "mirte-cli print: このレイアウトは %1 ページです")
                          .arg(pages);
            std::fprintf(context.err, "%s\n", qUtf8Printable(has));
            return 2;
        }
        if (!options.PngDir.isEmpty()) {
            return WritePreviewPages(*form, options, from, to, context);
        }
        form->PrintRanges.addRange(from, to);
        form->DraftPrint = options.Draft;
        TTerminalProgress progress(context.err);
        if (!form->Print(progress)) {
            std::fprintf(context.err, "%s\n",
                         qUtf8Printable(QCoreApplication::translate(
                             "CliMessages", "mirte-cli: 中断しました。何も印刷していません。")));
            return 130;
        }
        db.SaveTable(); // here, so that a failure is reported (the destructor only logs)
        std::fprintf(context.out, "%s\t%s\n", qUtf8Printable(printer->Name()),
                     PagesText(to - from + 1).constData());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(context.err, "mirte-cli: %s\n", e.what());
        return 1;
    }
}

} // namespace mirte::cli
