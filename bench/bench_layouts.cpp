// How fast the print layouts build their pages, with the folder's thumbnails in the cache.
// Index card: the dialog's sample at 6 x 6 and 10 x 10 (re-rendered on every change of a
// setting; as the window shows it, with the grid's thumbnails of the middle size in memory, and
// without them, from the cache alone), a preview page (2500 pixels long) at 10 x 10 and 6 x 6,
// and a folder of 1,000 pictures printed at 6 x 6 into a PDF (time, size). Back card: the sample
// re-rendered, and a quarter turn of a 512 x 384 thumbnail with its re-layout and sample. Contact
// sheet: the sample (the whole first page), a preview page at 10 x 10, and the folder at 5 x 6 into
// a PDF. Where pictures are drawn, the figure says what fetching them from the cache costs alone.
//
//   bench_layouts --photos DIR [--count N] [--pdf OUT.pdf] [--contact-pdf OUT.pdf]
//
// DIR holds photos (bench/layouts.sh makes 1,000 of 1600 x 1200 with make_photos); the first
// N of them (1,000 unless given) are the folder. Their thumbnails are made into a scratch cache
// first, untimed but for the total.
#include "cache/item_facts.h"
#include "cache/sort_keys.h"
#include "cache/thumbnail_db.h"
#include "layouts/folder_items.h"
#include "layouts/print_picture.h"
#include "layouts/prt_contact_sheet_print.h"
#include "layouts/prt_jacket_print.h"
#include "layouts/prt_thumbnail_print.h"
#include "report/font_substitutes.h"
#include "report/qt_printer_device.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace mirte;

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> samples;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        work();
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// What fetching the pictures of a page costs alone.
double FetchMs(TThumbnailDB& db, const TFolderItems& items, int first, int count) {
    return MedianMs(5, [&] {
        for (int i = first; i < std::min(first + count, items.Count()); ++i) {
            FetchPrintPicture(db, items.ItemFacts(i).FullPath);
        }
    });
}

// The folder's items as the window's grid holds them: with thumbnails of the grid's middle size
// in memory.
class GridItems : public TThumbItemSource {
public:
    GridItems(const TFolderItems& items, TThumbnailDB& db) : m_items(items) {
        for (int i = 0; i < items.Count(); ++i) {
            const QImage read = db.Cached(items.ItemFacts(i).FullPath, {128, 128}).Picture;
            m_shown.push_back(read.scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    int Count() const override { return m_items.Count(); }
    TItemFacts ItemFacts(int index) const override { return m_items.ItemFacts(index); }
    int SelectedIndex() const override { return -1; }
    QImage Thumbnail(int index) const override { return m_shown.at(std::size_t(index)); }

private:
    const TFolderItems& m_items;
    std::vector<QImage> m_shown;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    InstallFontSubstitutes();
    QString photos;
    QString pdfPath;
    QString contactPdfPath;
    int count = 1000;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--photos")) {
            photos = args[i + 1];
        } else if (args[i] == QLatin1String("--count")) {
            count = args[i + 1].toInt();
        } else if (args[i] == QLatin1String("--pdf")) {
            pdfPath = args[i + 1];
        } else if (args[i] == QLatin1String("--contact-pdf")) {
            contactPdfPath = args[i + 1];
        }
    }
    if (photos.isEmpty() || count <= 0) {
        std::fputs("usage: bench_layouts --photos DIR [--count N] [--pdf OUT.pdf] "
                   "[--contact-pdf OUT.pdf]\n",
                   stderr);
        return 2;
    }

    // The folder: the first `count` photos, under names of their own.
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("folder"));
    QDir().mkpath(folder);
    const QStringList names = QDir(photos).entryList({"*.jpg"}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        std::fputs("bench_layouts: no photos\n", stderr);
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        QFile::link(QDir(photos).filePath(names[i % names.size()]),
                    folder + QStringLiteral("/img_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    }

    TThumbnailDB db;
    db.SetCacheDirectory(work.filePath(QStringLiteral("cache")));
    QDir().mkpath(db.GetCacheDirectory());
    db.SetMaxCacheSize(4 * 1024 * 1024);
    QElapsedTimer timer;
    timer.start();
    TFolderItems items = TFolderItems::List(folder, db);
    items.Sort(soName);
    for (int i = 0; i < items.Count(); ++i) {
        FetchPrintPicture(db, items.ItemFacts(i).FullPath);
    }
    db.SaveTable();
    std::printf("folder of %d pictures listed and cached in %.1f s (untimed below)\n",
                items.Count(), timer.nsecsElapsed() / 1e9);

    const QString pdf = pdfPath.isEmpty() ? work.filePath(QStringLiteral("card.pdf")) : pdfPath;
    auto printer = TQtPrinterDevice::ForPdfFile(pdf, QPageSize(QPageSize::A4));
    printer->SetOrientation(TPrinterOrientation::poLandscape);
    TprtThumbnailPrint form(db, *printer);
    form.ListView = &items;
    TIndexCardSettings settings = index_card::Defaults();
    settings.Title = QStringLiteral("ベンチマーク 2026");

    const GridItems grid(items, db);
    for (const int layout : {5, 9}) {
        settings.Layout = layout;
        const int n = layout + 1;
        form.ApplySettings(settings, folder);
        form.ApplyPrinterLayout();
        double samples[2] = {};
        for (const bool inMemory : {true, false}) {
            form.ListView = inMemory ? static_cast<const TThumbItemSource*>(&grid) : &items;
            form.RenderSample(); // the dialog has shown it once before any change
            samples[inMemory ? 0 : 1] = MedianMs(9, [&] {
                form.ApplySettings(settings, folder); // a change, as the dialog pushes it
                form.RenderSample();
            });
        }
        const double fetch = FetchMs(db, items, 0, 2 * n * n);
        std::printf("sample %2d x %-2d (909 x 455, %3d pictures): median %6.1f ms with the grid's "
                    "thumbnails, %6.1f ms from the cache (fetching them one by one %5.1f ms)\n",
                    n, n, 2 * n * n, samples[0], samples[1], fetch);
    }
    form.ListView = &items;
    for (const int layout : {9, 5}) {
        settings.Layout = layout;
        const int n = layout + 1;
        form.ApplySettings(settings, folder);
        form.ApplyPrinterLayout();
        form.PageTotal = form.PageCount();
        QSize size;
        int page = 1;
        const double preview = MedianMs(5, [&] {
            form.CurrentPage = page;
            size = form.RenderPage().size();
            page = page % form.PageTotal + 1;
        });
        const double fetch = FetchMs(db, items, 0, 2 * n * n);
        std::printf("preview page %2d x %-2d (%d x %d): median %6.1f ms "
                    "(fetching the pictures %5.1f ms)\n",
                    n, n, size.width(), size.height(), preview, fetch);
    }

    settings.Layout = 5;
    form.ApplySettings(settings, folder);
    form.ApplyPrinterLayout();
    TSilentProgress progress;
    timer.restart();
    form.PrintPages(progress);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double fetchAll = FetchMs(db, items, 0, items.Count()) / 1e3;
    std::printf("PDF of %d pictures at 6 x 6: %d pages in %.2f s (fetching the pictures %.2f s), "
                "%.1f MB, %s\n",
                items.Count(), form.PageCount(), seconds, fetchAll, QFileInfo(pdf).size() / 1e6,
                qUtf8Printable(pdf));

    // The back card, portrait, with the first picture's thumbnail.
    printer->SetOrientation(TPrinterOrientation::poPortrait);
    TprtJacketPrint jacket(*printer);
    QImage turned = FetchPrintPicture(db, items.ItemFacts(0).FullPath).Picture;
    TJacketSettings jacketSettings = jacket::Defaults();
    jacketSettings.Title = settings.Title;
    jacket.AssignPicture(turned);
    jacket.ApplySettings(jacketSettings);
    const QColor panel(239, 239, 239);
    jacket.RenderSample(panel);
    const double jacketSample = MedianMs(9, [&] {
        jacket.ApplySettings(jacketSettings);
        jacket.RenderSample(panel);
    });
    const double turn = MedianMs(9, [&] {
        // What "回転" runs: the turn, the picture handed over, the page laid out, the sample.
        turned = TurnedClockwise(turned, 1);
        jacket.AssignPicture(turned);
        jacket.ApplyLayoutOrientation();
        jacket.ApplySettings(jacketSettings);
        jacket.RenderSample(panel);
    });
    std::printf("back card sample (603 x 443): median %6.1f ms; a quarter turn of %d x %d with "
                "layout and sample: median %6.1f ms\n",
                jacketSample, turned.width(), turned.height(), turn);

    // The contact sheet, portrait.
    TprtContactSheetPrint sheet(db, *printer);
    sheet.ListView = &items;
    TContactSheetSettings sheetSettings = contact_sheet::Defaults();
    sheetSettings.Title = settings.Title;
    sheet.ApplySettings(sheetSettings, folder);
    sheet.ApplyPrinterLayout();
    sheet.RenderSample();
    const double sheetSample = MedianMs(9, [&] {
        sheet.ApplySettings(sheetSettings, folder);
        sheet.RenderSample();
    });
    std::printf("contact sheet sample 5 x 6 (794 x 1123): median %6.1f ms "
                "(fetching the pictures %5.1f ms)\n",
                sheetSample, FetchMs(db, items, 0, 30));
    sheetSettings.Layout = contact_sheet::LayoutCount - 1;
    sheet.ApplySettings(sheetSettings, folder);
    sheet.PageTotal = sheet.PageCount();
    QSize sheetPage;
    int page = 1;
    const double sheetPreview = MedianMs(5, [&] {
        sheet.CurrentPage = page;
        sheetPage = sheet.RenderPage().size();
        page = page % sheet.PageTotal + 1;
    });
    std::printf("contact sheet preview page 10 x 10 (%d x %d): median %6.1f ms "
                "(fetching the pictures %5.1f ms)\n",
                sheetPage.width(), sheetPage.height(), sheetPreview, FetchMs(db, items, 0, 100));
    sheetSettings.Layout = contact_sheet::DefaultLayout;
    sheet.ApplySettings(sheetSettings, folder);
    const QString sheetPdf =
        contactPdfPath.isEmpty()
            ? QFileInfo(pdf).absoluteDir().filePath(QStringLiteral("sheet.pdf"))
            : contactPdfPath;
    auto sheetPrinter = TQtPrinterDevice::ForPdfFile(sheetPdf, QPageSize(QPageSize::A4));
    sheet.SetPrinter(*sheetPrinter);
    sheet.ApplyPrinterLayout();
    timer.restart();
    sheet.PrintPages(progress);
    std::printf("PDF of %d pictures at 5 x 6: %d pages in %.2f s, %.1f MB, %s\n", items.Count(),
                sheet.PageCount(), timer.nsecsElapsed() / 1e9,
                QFileInfo(sheetPrinter->Name()).size() / 1e6, qUtf8Printable(sheetPrinter->Name()));
    return 0;
}
