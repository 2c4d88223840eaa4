#pragma once

#include "printer_device.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QString>
#include <memory>

class QPainter;
class QPdfWriter;

namespace mirte {

class TAtomicFile;

// A printer that writes a PDF file through Qt's PDF writer (no print system, no widgets): for
// the report engine's tests and anything else that wants a PDF without a print queue. The whole
// sheet is printable. A job goes into a file beside the target and is renamed over it when it
// ends, so an aborted job leaves nothing and a file is never left half written.
class TPdfWriterDevice : public TPrinterDevice {
    Q_DECLARE_TR_FUNCTIONS(TPdfWriterDevice)

public:
    // A PDF file on this paper, portrait, at this resolution.
    TPdfWriterDevice(const QString& path, const QPageSize& paper, int dpi = 1200);
    ~TPdfWriterDevice() override;

    QString Name() const override { return m_path; }
    bool Metrics(TPrinterMetrics& metrics) const override;
    int ScalePercent() const override { return 100; }
    TPrinterOrientation Orientation() const override;
    bool SetOrientation(TPrinterOrientation orientation) override;
    void SetTitle(const QString& title) override { m_title = title; }
    bool SetPaper(const QPageSize& paper, TPrinterOrientation orientation) override;
    void RestoreDefaults() override;

    bool BeginDoc() override;
    bool NewPage() override;
    bool EndDoc() override;
    void Abort() override;
    bool Printing() const override { return m_painter != nullptr; }
    QPainter* Painter() override { return m_painter.get(); }
    QString LastError() const override { return m_lastError; }

private:
    void DropSpool();

    QString m_path;
    QPageSize m_defaultPaper;
    int m_dpi;
    QPageLayout m_layout;
    QString m_title;
    std::unique_ptr<TAtomicFile> m_spool; // the job's file beside the target while it runs
    QString m_lastError;
    std::unique_ptr<QPdfWriter> m_writer; // while a job runs
    std::unique_ptr<QPainter> m_painter;
};

} // namespace mirte
