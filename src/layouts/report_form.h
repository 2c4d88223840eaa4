#pragma once

#include "page_pictures.h"
#include "print_progress.h"
#include "report/lr_page.h"
#include "report/printer_measure.h"

#include <QCoreApplication>
#include <QImage>
#include <QPageRanges>
#include <QString>
#include <memory>
#include <vector>

namespace mirte {

// What the print layouts' report forms share: the report page LightRep on the application's
// printer, the printer adoption before every layout, the driver set-up when a job starts, the
// preview pages and the print run. A form is never shown; it builds pages for the sample, the
// preview, the printer and the command line alike. GUI thread only (or the command line's one
// thread); it uses the cache, which the loader must not be using meanwhile.
class TReportForm {
    Q_DECLARE_TR_FUNCTIONS(TReportForm)

public:
    // The long side of a preview page, in pixels.
    static constexpr int PreviewPixels = 2500;

    explicit TReportForm(TPrinterDevice& printer);
    virtual ~TReportForm();
    TReportForm(const TReportForm&) = delete;
    TReportForm& operator=(const TReportForm&) = delete;

    VUvudiRoz& LightRep() const { return *m_page; }
    TPrinterDevice& Printer() const { return *m_printer; }
    // Another printer (the command line's file or queue); lay the page out again afterwards.
    void SetPrinter(TPrinterDevice& printer);

    int CurrentPage = 1; // the page being rendered, 1-based; the cell events read it
    int PageTotal = 1;   // pages of the current run
    // The pages to print as the user listed them ("1,3", "2-3,5"); empty: every page.
    QPageRanges PrintRanges;
    // Printing gives the cache's thumbnails only, never an original at the paper's resolution
    // (mirte-cli print --draft).
    bool DraftPrint = false;

    // The printer state adopted at the last layout. The printer is known by its name (a queue,
    // or the file a job goes to); everything starts empty, so the first layout is a change.
    QString PrinterNameSeen;
    TPrinterOrientation OrientationSeen = TPrinterOrientation::poPortrait;
    TReportRect PaperRectSeen;
    TReportRect PrintableRectSeen;

    // Adopts the printer's state (true when any of it changed since the last layout), then lays
    // the page out for the paper there is.
    bool ApplyPrinterLayout();
    // Turns the printer to the layout's orientation, then ApplyPrinterLayout.
    bool ApplyLayoutOrientation();
    virtual int PageCount() const = 0;
    // The orientation the layout prints in.
    virtual TPrinterOrientation LayoutOrientation() const = 0;

    // The preview scale: PreviewPixels div the page's longer side, at least 1.
    int PreviewScale() const;
    // CurrentPage at the preview scale, on white.
    QImage RenderPage();
    // Prints the pages of PrintRanges that exist, in order, reporting to `progress` (which
    // counts the pages printed) and stopping when it is cancelled between pages. Every way out ends
    // or aborts the job: a cancel or a failure aborts it (a spooled or half-written file goes), and
    // a failure is raised again after the progress is finished. False when cancelled.
    bool PrintPages(TPrintProgress& progress);
    // What the print buttons run once the user said go: the pages of the range, shown in
    // `progress` (the back card prints its one page without it). False when cancelled.
    virtual bool Print(TPrintProgress& progress) { return PrintPages(progress); }

protected:
    // The paper and its printable area as last adopted; a printer that cannot be measured
    // gives A4 in the layout's orientation, printable to its edges.
    TReportRect PaperRect() const;
    TReportRect PrintableRect() const;
    // The form's own page layout, after the adoption.
    virtual void LayOutPage() = 0;
    // CurrentPage at `scale` device pixels per design pixel, on the background.
    QImage RenderCurrentPage(int scale, const QColor& background = Qt::white);
    // A run of pages begins (a sample, a preview page or a print run).
    virtual void StartRun() {}
    // What page `page` shows in its picture boxes, asked for before it is drawn; the cell events
    // take them by PagePicture. Nothing by default.
    virtual std::vector<TPictureWant> PageWants(int page) const {
        (void)page;
        return {};
    }
    // Where the pictures come from: the cache, and the items with the grid's own thumbnails.
    virtual TThumbnailDB* PictureCache() const { return nullptr; }
    virtual const TThumbItemSource* PictureItems() const { return nullptr; }
    // The picture asked for a path of the page being rendered, once it is there; null when there
    // is none (or outside a run).
    QImage PagePicture(const QString& path);

private:
    // The pictures of a run of pages, for as long as the run lasts.
    class TPictureRun {
    public:
        TPictureRun(TReportForm& form, TPictureUse use, double devicePixels);
        ~TPictureRun();

    private:
        TReportForm& m_form;
    };
    void AskPictures(int page);

    bool AdoptPrinter();
    // The page's OnSetPrinter: the job's orientation on the paper the user chose.
    void LightRepSetPrinter();

    TPrinterDevice* m_printer;
    std::unique_ptr<VUvudiRoz> m_page;
    std::unique_ptr<TPagePictures> m_pictures; // during a run
};

} // namespace mirte
