#pragma once

#include "preview_layout.h"

#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QScrollArea>
#include <QWidget>
#include <functional>

class QLabel;
class QToolBar;
class QToolButton;
class QPushButton;

namespace mirte {

// The scroll box of the preview: the wheel moves it by the scroll bar's line step, never past
// either end.
class TPreviewScrollBox : public QScrollArea {
    Q_OBJECT
public:
    using QScrollArea::QScrollArea;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

signals:
    void Resized();

private:
    int m_partialAngle = 0; // wheel turns smaller than a notch, kept until they make one
};

// The picture control that shows the framed page; a click hands the focus to the scroll box.
class TPreviewImage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return m_picture; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
};

// The one preview window of the print layouts. It shows one page image at a time; the job that
// opens it renders the pages, assigns the navigation and print commands, and calls ShowPage for
// every page it wants shown. The zoom mode stays from one use to the next.
class TfrmPreview : public QDialog {
    Q_OBJECT
public:
    static constexpr int MinTrackWidth = 250;
    static constexpr int MinTrackHeight = 250;
    static constexpr int PageMargin = 20;
    static constexpr int FrameWidth = 1;
    static constexpr int ScrollBarWidth = 16;

    explicit TfrmPreview(QWidget* parent = nullptr);

    // Copies the page, sets the counter and the buttons, scrolls to the top and lays it out.
    void ShowPage(const QImage& bitmap, int pageNo, int pageCount);
    // Lets go of the page image (after the window closed).
    void ClearPage();

    // The job's commands, called by the buttons; unassigned ones do nothing.
    std::function<void()> OnFirst;
    std::function<void()> OnPrevious;
    std::function<void()> OnNext;
    std::function<void()> OnLast;
    std::function<void()> OnPrintOut;

    TPreviewZoom Zoom() const;
    void SetZoom(TPreviewZoom zoom);
    const QImage& PageImage() const { return m_pageImage; }

    // The components, for the job and for tests.
    TPreviewScrollBox* PreviewPosition = nullptr;
    TPreviewImage* PreviewImage = nullptr;
    QToolBar* ToolBar = nullptr;
    QPushButton* btnFormClose = nullptr;
    QToolButton* btnZoomToFit = nullptr;
    QToolButton* btnZoomToWidth = nullptr;
    QToolButton* btnFirst = nullptr;
    QToolButton* btnPrevios = nullptr;
    QToolButton* btnNext = nullptr;
    QToolButton* btnLast = nullptr;
    QLabel* pnlPageNumber = nullptr;
    QLabel* Label1 = nullptr;
    QToolButton* btnPrintOut = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildToolBar();
    void LayoutPage();

    QImage m_pageImage;
};

} // namespace mirte
