#include "pdf_writer_device.h"

#include "util/errors.h"
#include "util/replace_file.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>

namespace mirte {

namespace {

QPageLayout::Orientation QtOrientation(TPrinterOrientation orientation) {
    return orientation == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait;
}

} // namespace

TPdfWriterDevice::TPdfWriterDevice(const QString& path, const QPageSize& paper, int dpi)
    : m_path(path), m_defaultPaper(paper), m_dpi(dpi),
      m_layout(paper, QPageLayout::Portrait, QMarginsF()) {}

TPdfWriterDevice::~TPdfWriterDevice() {
    Abort(); // a job is never left open
}

bool TPdfWriterDevice::Metrics(TPrinterMetrics& metrics) const {
    const QRect full = m_layout.fullRectPixels(m_dpi);
    metrics = {m_dpi, m_dpi, full.width(), full.height(), 0, 0, full.width(), full.height()};
    return full.width() > 0 && full.height() > 0;
}

TPrinterOrientation TPdfWriterDevice::Orientation() const {
    return m_layout.orientation() == QPageLayout::Landscape ? TPrinterOrientation::poLandscape
                                                            : TPrinterOrientation::poPortrait;
}

bool TPdfWriterDevice::SetOrientation(TPrinterOrientation orientation) {
    if (m_painter) {
        return false; // not in the middle of a job
    }
    m_layout.setOrientation(QtOrientation(orientation));
    return true;
}

bool TPdfWriterDevice::SetPaper(const QPageSize& paper, TPrinterOrientation orientation) {
    if (m_painter || !paper.isValid()) {
        return false;
    }
    m_layout = QPageLayout(paper, QtOrientation(orientation), QMarginsF());
    return true;
}

void TPdfWriterDevice::RestoreDefaults() {
    if (!m_painter) {
        m_layout = QPageLayout(m_defaultPaper, QPageLayout::Portrait, QMarginsF());
    }
}

bool TPdfWriterDevice::BeginDoc() {
    if (m_painter) {
        return false;
    }
    m_lastError.clear();
    if (m_path.isEmpty()) {
        m_lastError = tr("出力ファイルが指定されていません。");
        return false;
    }
    try {
        m_spool = std::make_unique<TAtomicFile>(m_path);
    } catch (const EInOutError&) {
        m_lastError = tr("\"%1\" に書き込めません。").arg(m_path);
        return false;
    }
    m_writer = std::make_unique<QPdfWriter>(m_spool->FileName());
    m_writer->setResolution(m_dpi);
    m_writer->setPageLayout(m_layout);
    m_writer->setTitle(m_title);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(m_writer.get())) {
        m_lastError = tr("\"%1\" に書き込めません。").arg(m_path);
        DropSpool();
        return false;
    }
    m_painter = std::move(painter);
    return true;
}

bool TPdfWriterDevice::NewPage() {
    return m_painter != nullptr && m_writer->newPage();
}

bool TPdfWriterDevice::EndDoc() {
    if (!m_painter) {
        return false;
    }
    const bool written = m_painter->end();
    m_painter.reset();
    m_writer.reset(); // the file is complete once the writer is gone
    bool delivered = written;
    if (written) {
        try {
            m_spool->Commit(false);
        } catch (const EInOutError&) {
            delivered = false;
        }
    }
    if (!delivered) {
        m_lastError = tr("\"%1\" に書き込めません。").arg(m_path);
    }
    DropSpool();
    return delivered;
}

void TPdfWriterDevice::Abort() {
    if (!m_painter) {
        return;
    }
    m_painter->end();
    m_painter.reset();
    DropSpool(); // nothing of the job is left
}

void TPdfWriterDevice::DropSpool() {
    m_writer.reset();
    m_spool.reset(); // the file of a job not delivered goes
}

} // namespace mirte
