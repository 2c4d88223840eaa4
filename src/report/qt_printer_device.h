#pragma once

#include "printer_device.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace mirte {

class TAtomicFile;

// A printer through Qt: a queue of the print system (CUPS here) or a PDF file. Its margins are
// the printer's smallest, so that, as on a printer's device context, the painter starts at the
// printable area's corner.
//
// A job is drawn into a PDF spool file first: for a file beside it (renamed over the file when
// the job ends), for a queue in the temporary folder (handed to CUPS when the job ends). So an
// aborted job reaches neither the paper nor the disk, and a file is never left half written.
class TQtPrinterDevice : public TPrinterDevice {
    Q_DECLARE_TR_FUNCTIONS(TQtPrinterDevice)

public:
    // A queue's spool in the temporary folder: this, the process's id, "-" and a unique part.
    static constexpr const char* kSpoolPrefix = "mirte-job-";

    // The named queue; an empty name takes the system's default printer.
    static std::unique_ptr<TQtPrinterDevice> ForPrinter(const QString& name);
    // A PDF file on this paper, at 1200 dots per inch.
    static std::unique_ptr<TQtPrinterDevice> ForPdfFile(const QString& path,
                                                        const QPageSize& paper);
    ~TQtPrinterDevice() override;

    QString Name() const override;
    bool Metrics(TPrinterMetrics& metrics) const override;
    int ScalePercent() const override { return 100; } // Qt has no scale in its printer settings
    TPrinterOrientation Orientation() const override;
    bool SetOrientation(TPrinterOrientation orientation) override;
    void SetTitle(const QString& title) override;
    bool SetPaper(const QPageSize& paper, TPrinterOrientation orientation) override;
    void RestoreDefaults() override;

    bool BeginDoc() override;
    bool NewPage() override;
    bool EndDoc() override;
    void Abort() override;
    bool Printing() const override { return m_painter != nullptr; }
    QPainter* Painter() override { return m_painter.get(); }
    QString LastError() const override { return m_lastError; }
    // The print system's number of the last job handed to it (0: none since BeginDoc).
    int LastJobId() const { return m_lastJobId; }

    // The printer the print dialog works on. After the dialog, call UseSmallestMargins.
    QPrinter& Printer() { return *m_printer; }
    // The printable area becomes the printer's own again (a dialog may have set margins).
    void UseSmallestMargins();

private:
    explicit TQtPrinterDevice(std::unique_ptr<QPrinter> printer);
    bool PrintsToFile() const;
    // Hands the spooled job to the print system; false (with LastError) when it refuses.
    bool Submit();
    void DropSpool();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPrinter> m_job; // the spool file's printer while a job runs
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<TAtomicFile> m_fileJob; // for a file: the job's file beside it
    QString m_spool;                        // the file the job is drawn into
    QString m_lastError;
    int m_lastJobId = 0;
    QString m_missingQueue; // a queue asked for by a name the print system does not know
};

} // namespace mirte
