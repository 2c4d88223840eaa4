#include "qt_printer_device.h"

#include "util/errors.h"
#include "util/leftovers.h"
#include "util/replace_file.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cups/cups.h>

namespace mirte {

namespace {

// Where Qt's print dialog leaves the queue's own options (paper source, quality, banners ...):
// name and value in turn.
const auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The options a job takes to the queue, as Qt's own CUPS printing gives them.
class CupsOptions {
public:
    ~CupsOptions() { cupsFreeOptions(m_count, m_options); }
    void Add(const QByteArray& name, const QByteArray& value) {
        m_count = cupsAddOption(name.constData(), value.constData(), m_count, &m_options);
    }
    int Count() const { return m_count; }
    cups_option_t* Options() const { return m_options; }

private:
    int m_count = 0;
    cups_option_t* m_options = nullptr;
};

QByteArray SidesOption(const QPrinter& printer) {
    switch (printer.duplex()) {
    case QPrinter::DuplexAuto:
        return printer.pageLayout().orientation() == QPageLayout::Portrait ? "two-sided-long-edge"
                                                                           : "two-sided-short-edge";
    case QPrinter::DuplexLongSide:
        return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    case QPrinter::DuplexNone:
        break;
    }
    return "one-sided";
}

} // namespace

TQtPrinterDevice::TQtPrinterDevice(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer)) {
    UseSmallestMargins();
}

TQtPrinterDevice::~TQtPrinterDevice() {
    Abort(); // a job is never left open
}

std::unique_ptr<TQtPrinterDevice> TQtPrinterDevice::ForPrinter(const QString& name) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!name.isEmpty()) {
        printer->setPrinterName(name);
    }
    auto device = std::unique_ptr<TQtPrinterDevice>(new TQtPrinterDevice(std::move(printer)));
    // Qt quietly takes the default queue for a name it does not know; a job must not.
    if (!name.isEmpty() && !QPrinterInfo::availablePrinterNames().contains(name)) {
        device->m_missingQueue = name;
    }
    return device;
}

std::unique_ptr<TQtPrinterDevice> TQtPrinterDevice::ForPdfFile(const QString& path,
                                                               const QPageSize& paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(paper);
    return std::unique_ptr<TQtPrinterDevice>(new TQtPrinterDevice(std::move(printer)));
}

void TQtPrinterDevice::UseSmallestMargins() {
    m_printer->setFullPage(false);
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setPageMargins(layout.minimumMargins(), layout.units());
}

bool TQtPrinterDevice::PrintsToFile() const {
    return m_printer->outputFormat() == QPrinter::PdfFormat ||
           !m_printer->outputFileName().isEmpty();
}

QString TQtPrinterDevice::Name() const {
    if (!m_missingQueue.isEmpty()) {
        return m_missingQueue;
    }
    return PrintsToFile() ? m_printer->outputFileName() : m_printer->printerName();
}

bool TQtPrinterDevice::Metrics(TPrinterMetrics& metrics) const {
    const int dpi = m_printer->resolution();
    if (dpi <= 0) {
        return false;
    }
    const QPageLayout layout = m_printer->pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi);
    metrics = {dpi,           dpi,           full.width(),      full.height(),
               printable.x(), printable.y(), printable.width(), printable.height()};
    return full.width() > 0 && full.height() > 0;
}

TPrinterOrientation TQtPrinterDevice::Orientation() const {
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape
               ? TPrinterOrientation::poLandscape
               : TPrinterOrientation::poPortrait;
}

bool TQtPrinterDevice::SetOrientation(TPrinterOrientation orientation) {
    if (m_painter) {
        return false;
    }
    return m_printer->setPageOrientation(orientation == TPrinterOrientation::poLandscape
                                             ? QPageLayout::Landscape
                                             : QPageLayout::Portrait);
}

void TQtPrinterDevice::SetTitle(const QString& title) {
    m_printer->setDocName(title);
}

bool TQtPrinterDevice::SetPaper(const QPageSize& paper, TPrinterOrientation orientation) {
    if (m_painter || !paper.isValid() || !m_printer->setPageSize(paper)) {
        return false;
    }
    SetOrientation(orientation);
    UseSmallestMargins();
    return true;
}

void TQtPrinterDevice::RestoreDefaults() {
    if (m_painter) {
        return; // never in the middle of a job
    }
    // In place: the print dialog keeps working on this very printer.
    if (!PrintsToFile()) {
        const QPrinterInfo info(*m_printer);
        if (!info.isNull() && info.defaultPageSize().isValid()) {
            m_printer->setPageSize(info.defaultPageSize());
        }
        m_printer->setCopyCount(1);
        m_printer->setDuplex(QPrinter::DuplexNone);
    }
    m_printer->setPageOrientation(QPageLayout::Portrait);
    UseSmallestMargins();
}

bool TQtPrinterDevice::BeginDoc() {
    if (m_painter) {
        return false;
    }
    m_lastError.clear();
    m_lastJobId = 0;
    if (!m_missingQueue.isEmpty()) {
        m_lastError = tr("プリンタ \"%1\" が見つかりません。").arg(m_missingQueue);
        return false;
    }
    if (PrintsToFile()) {
        const QString target = m_printer->outputFileName();
        if (target.isEmpty()) {
            m_lastError = tr("出力ファイルが指定されていません。");
            return false;
        }
        try {
            m_fileJob = std::make_unique<TAtomicFile>(target);
        } catch (const EInOutError&) {
            m_lastError = tr("\"%1\" に書き込めません。").arg(Name());
            return false;
        }
        m_spool = m_fileJob->FileName();
    } else {
        if (QPrinterInfo::printerInfo(m_printer->printerName()).isNull()) {
            m_lastError = tr("プリンタ \"%1\" が見つかりません。").arg(m_printer->printerName());
            return false;
        }
        // Named after this process, so that a later run can tell a killed job's spool.
        QTemporaryFile spool(QDir::temp().filePath(
            NameOfThisProcess(QString::fromUtf8(kSpoolPrefix)) + QStringLiteral("XXXXXX.pdf")));
        spool.setAutoRemove(false);
        if (!spool.open()) {
            m_lastError = spool.errorString();
            return false;
        }
        m_spool = spool.fileName();
    }
    m_job = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_job->setOutputFormat(QPrinter::PdfFormat);
    m_job->setOutputFileName(m_spool);
    m_job->setResolution(m_printer->resolution());
    m_job->setPageLayout(m_printer->pageLayout());
    m_job->setFullPage(m_printer->fullPage());
    m_job->setDocName(m_printer->docName());
    m_job->setCreator(m_printer->creator());
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(m_job.get())) {
        m_lastError = tr("\"%1\" に書き込めません。").arg(Name());
        DropSpool();
        return false;
    }
    m_painter = std::move(painter);
    return true;
}

bool TQtPrinterDevice::NewPage() {
    return m_painter != nullptr && m_job->newPage();
}

bool TQtPrinterDevice::EndDoc() {
    if (!m_painter) {
        return false;
    }
    const bool written = m_painter->end();
    m_painter.reset();
    bool delivered = false;
    if (!written) {
        m_lastError = tr("\"%1\" に書き込めません。").arg(Name());
    } else if (PrintsToFile()) {
        try {
            m_fileJob->Commit(false);
            delivered = true;
        } catch (const EInOutError&) {
            delivered = false;
        }
        if (!delivered) {
            m_lastError = tr("\"%1\" に書き込めません。").arg(Name());
        }
    } else {
        delivered = Submit();
    }
    DropSpool();
    return delivered;
}

void TQtPrinterDevice::Abort() {
    if (!m_painter) {
        return;
    }
    m_painter->end();
    m_painter.reset();
    DropSpool(); // nothing of the job goes anywhere
}

void TQtPrinterDevice::DropSpool() {
    m_job.reset();
    if (m_fileJob) {
        m_fileJob.reset(); // a job not delivered leaves nothing beside the file
    } else if (!m_spool.isEmpty()) {
        QFile::remove(m_spool); // the queue's spool file, handed over or not
    }
    m_spool.clear();
}

bool TQtPrinterDevice::Submit() {
    CupsOptions options;
    options.Add("media", m_printer->pageLayout().pageSize().key().toUtf8());
    if (m_printer->copyCount() > 1) {
        options.Add("copies", QByteArray::number(m_printer->copyCount()));
        if (m_printer->collateCopies()) {
            options.Add("Collate", "True");
        }
    }
    options.Add("sides", SidesOption(*m_printer));
    if (m_printer->pageLayout().orientation() == QPageLayout::Landscape) {
        options.Add("landscape", ""); // turned on the sheet as the print system turns it
    }
    if (QPrintEngine* engine = m_printer->printEngine()) {
        const QStringList queueOptions = engine->property(kCupsOptionsProperty).toStringList();
        for (qsizetype i = 0; i + 1 < queueOptions.size(); i += 2) {
            options.Add(queueOptions[i].toUtf8(), queueOptions[i + 1].toUtf8());
        }
    }
    const QByteArray queue = m_printer->printerName().toUtf8();
    const QByteArray title = m_printer->docName().toUtf8();
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), QFile::encodeName(m_spool).constData(),
                       title.constData(), options.Count(), options.Options());
    if (job == 0) {
        m_lastError = QString::fromUtf8(cupsLastErrorString());
        return false;
    }
    m_lastJobId = job;
    return true;
}

} // namespace mirte
