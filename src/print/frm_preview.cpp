#include "frm_preview.h"

#include "print_glyphs.h"
#include "report/font_substitutes.h"

#include <QActionGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace mirte {

namespace {

// The zoom glyphs, drawn here: a page in a frame (fit), a page between arrows (width).
QIcon Glyph(int kind) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 1));
    if (kind == 0) {
        p.drawRect(1, 1, 13, 13);
        p.fillRect(5, 3, 6, 9, Qt::white);
        p.drawRect(5, 3, 6, 9);
    } else {
        p.fillRect(4, 1, 8, 14, Qt::white);
        p.drawRect(4, 1, 8, 14);
        p.drawLine(0, 8, 3, 8);
        p.drawLine(12, 8, 15, 8);
        p.drawLine(0, 8, 2, 6);
        p.drawLine(0, 8, 2, 10);
        p.drawLine(15, 8, 13, 6);
        p.drawLine(15, 8, 13, 10);
    }
    return QIcon(pixmap);
}

QToolButton* NavigationButton(QToolBar* bar, const QString& caption, const QString& hint) {
    auto* button = new QToolButton(bar); // owned by the toolbar
    button->setText(caption);
    button->setToolTip(hint);
    button->setFixedSize(28, 27);
    bar->addWidget(button);
    return button;
}

} // namespace

// The scroll bar's standard line step.
constexpr int kLineStep = 8;

void TPreviewScrollBox::wheelEvent(QWheelEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    int move = 0;
    if (!event->pixelDelta().isNull()) {
        move = -event->pixelDelta().y(); // a touchpad says how far, in pixels
    } else {
        // A notch (120) is one line step; finer wheels send parts of a notch, which add up.
        m_partialAngle += event->angleDelta().y();
        const int notches = m_partialAngle / 120;
        m_partialAngle -= notches * 120;
        move = -notches * kLineStep;
    }
    bar->setValue(std::clamp(bar->value() + move, 0, bar->maximum()));
    event->accept();
}

void TPreviewScrollBox::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    emit Resized();
}

void TPreviewImage::SetPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void TPreviewImage::paintEvent(QPaintEvent*) {
    if (!m_picture.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
    }
}

void TPreviewImage::mousePressEvent(QMouseEvent* event) {
    emit Clicked();
    event->accept();
}

TfrmPreview::TfrmPreview(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("プレビュー"));
    QFont font(QString::fromUtf8(kGuiFontFamily));
    font.setPixelSize(12);
    setFont(font);
    resize(576, 500);
    setMinimumSize(MinTrackWidth, MinTrackHeight);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ToolBar = new QToolBar(this);
    ToolBar->setFixedHeight(31);
    layout->addWidget(ToolBar);
    PreviewPosition = new TPreviewScrollBox(this);
    PreviewPosition->setFrameShape(QFrame::NoFrame);
    PreviewPosition->setWidgetResizable(false);
    PreviewPosition->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PreviewPosition->verticalScrollBar()->setFixedWidth(ScrollBarWidth);
    PreviewPosition->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(PreviewPosition, 1);
    auto* area = new QWidget;
    area->setAutoFillBackground(false);
    PreviewImage = new TPreviewImage(area);
    PreviewPosition->setWidget(area); // the scroll box owns the area from here
    connect(PreviewImage, &TPreviewImage::Clicked, this, [this] { PreviewPosition->setFocus(); });
    connect(PreviewPosition, &TPreviewScrollBox::Resized, this, [this] { LayoutPage(); });

    BuildToolBar();
}

void TfrmPreview::BuildToolBar() {
    btnFormClose = new QPushButton(tr("閉じる"), ToolBar);
    btnFormClose->setToolTip(tr("プレビューを閉じる"));
    btnFormClose->setFixedSize(73, 27);
    btnFormClose->setAutoDefault(false);
    ToolBar->addWidget(btnFormClose);
    connect(btnFormClose, &QPushButton::clicked, this, &QDialog::close);
    ToolBar->addSeparator();

    btnZoomToFit = new QToolButton(ToolBar);
    btnZoomToFit->setIcon(Glyph(0));
    btnZoomToFit->setToolTip(tr("ウィンドウに納まるサイズで表示"));
    btnZoomToWidth = new QToolButton(ToolBar);
    btnZoomToWidth->setIcon(Glyph(1));
    btnZoomToWidth->setToolTip(tr("ウィンドウの横幅に併せて表示"));
    for (QToolButton* b : {btnZoomToFit, btnZoomToWidth}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setFixedHeight(27);
        ToolBar->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this] { LayoutPage(); });
    }
    btnZoomToWidth->setChecked(true);
    ToolBar->addSeparator();

    btnFirst = NavigationButton(ToolBar, QStringLiteral("≪"), tr("最初のページに移動"));
    btnPrevios = NavigationButton(ToolBar, QStringLiteral("＜"), tr("前のページに移動"));
    btnNext = NavigationButton(ToolBar, QStringLiteral("＞"), tr("次のページに移動"));
    btnLast = NavigationButton(ToolBar, QStringLiteral("≫"), tr("最後のページに移動"));
    connect(btnFirst, &QToolButton::clicked, this, [this] {
        if (OnFirst)
            OnFirst();
    });
    connect(btnPrevios, &QToolButton::clicked, this, [this] {
        if (OnPrevious)
            OnPrevious();
    });
    connect(btnNext, &QToolButton::clicked, this, [this] {
        if (OnNext)
            OnNext();
    });
    connect(btnLast, &QToolButton::clicked, this, [this] {
        if (OnLast)
            OnLast();
    });

    pnlPageNumber = new QLabel(QStringLiteral("000/000"), ToolBar);
    pnlPageNumber->setFrameShape(QFrame::Panel);
    pnlPageNumber->setFrameShadow(QFrame::Sunken);
    pnlPageNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pnlPageNumber->setFixedSize(60, 27);
    pnlPageNumber->setToolTip(tr("現在のページ"));
    ToolBar->addWidget(pnlPageNumber);
    Label1 = new QLabel(tr("ページ"), ToolBar);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFixedSize(44, 27);
    ToolBar->addWidget(Label1);
    ToolBar->addSeparator();

    btnPrintOut = new QToolButton(ToolBar);
    btnPrintOut->setText(tr("印刷"));
    btnPrintOut->setIcon(PrinterGlyph());
    btnPrintOut->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnPrintOut->setToolTip(tr("印刷する"));
    btnPrintOut->setFixedSize(72, 27);
    ToolBar->addWidget(btnPrintOut);
    connect(btnPrintOut, &QToolButton::clicked, this, [this] {
        if (OnPrintOut)
            OnPrintOut();
    });
}

TPreviewZoom TfrmPreview::Zoom() const {
    return btnZoomToFit->isChecked() ? TPreviewZoom::ZoomToFit : TPreviewZoom::ZoomToWidth;
}

void TfrmPreview::SetZoom(TPreviewZoom zoom) {
    (zoom == TPreviewZoom::ZoomToFit ? btnZoomToFit : btnZoomToWidth)->setChecked(true);
    LayoutPage();
}

void TfrmPreview::ShowPage(const QImage& bitmap, int pageNo, int pageCount) {
    m_pageImage = bitmap.copy();
    pnlPageNumber->setText(QStringLiteral("%1/%2").arg(pageNo).arg(pageCount));
    btnFirst->setEnabled(pageNo != 1);
    btnPrevios->setEnabled(pageNo != 1);
    btnNext->setEnabled(pageNo != pageCount);
    btnLast->setEnabled(pageNo != pageCount);
    PreviewPosition->verticalScrollBar()->setValue(0);
    LayoutPage();
}

void TfrmPreview::ClearPage() {
    m_pageImage = QImage();
    PreviewImage->SetPicture(QPixmap());
}

void TfrmPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PreviewPosition->setFocus();
}

void TfrmPreview::LayoutPage() {
    if (m_pageImage.isNull()) {
        return;
    }
    const QSize box = PreviewPosition->size();
    const TPreviewZoom zoom = Zoom();
    const TPreviewPlacement placement =
        PlacePreview(zoom, box, m_pageImage.size(), PageMargin, ScrollBarWidth);
    QWidget* area = PreviewPosition->widget();
    if (zoom == TPreviewZoom::ZoomToFit) {
        PreviewPosition->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->resize(box);
    } else {
        PreviewPosition->setVerticalScrollBarPolicy(placement.Scrolls ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
        const int width = box.width() - (placement.Scrolls ? ScrollBarWidth : 0);
        area->resize(width, std::max(box.height(), placement.Image.bottom() + 1 + PageMargin));
    }
    PreviewImage->setGeometry(placement.Image);

    // The framed page, drawn at the screen's own pixel density.
    const QSize size = placement.Image.size();
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(PreviewPosition->palette().color(QPalette::Window));
    QPainter painter(&picture);
    const QRect pageArea = PreviewPageArea(size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage scaled = m_pageImage.scaled(pageArea.size() * ratio, Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation);
    painter.drawImage(pageArea, scaled);
    painter.setPen(QPen(Qt::black, FrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(pageArea.adjusted(-1, -1, 0, 0));
    painter.end();
    PreviewImage->SetPicture(picture);
}

} // namespace mirte
