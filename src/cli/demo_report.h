#pragma once

#include "report/lr_image.h"
#include "report/lr_page.h"
#include "report/lr_panels.h"
#include "report/lr_text_item.h"

#include <QImage>
#include <memory>
#include <vector>

namespace mirte::cli {

// What the demonstration report holds: a grid of pictures over so many pages.
struct DemoOptions {
    int Cols = 3;
    int Rows = 4;
    int Pictures = 20;
    QSize PictureSize{640, 480}; // every other picture is turned to portrait
    bool Bands = true;           // the title band and the band of turned texts
};

// A small report built in code: a Japanese title band with the page number, a grid whose cell
// event fills a caption and a generated picture, frames in every line style, and a turned text
// in each direction. It shows the engine at work and serves the tests as a fixture; it is not
// one of the program's layouts.
class DemoReport {
public:
    explicit DemoReport(const DemoOptions& options = {});
    // The same report over given pictures (options.Pictures is then their number).
    DemoReport(DemoOptions options, std::vector<QImage> pictures);
    VUvudiRoz& Page() { return *m_page; }
    int PageCount() const;
    // Prints every page to the page's printer.
    void Print();
    // The preview image of one page (1-based) at a scale.
    QImage Preview(int pageNo, int scale);

private:
    void Build();
    void BuildTitleBand();
    void BuildTurnedTexts();
    void BuildGrid();
    void FillCell(int col, int row, const TEdgeRect& cell, TPrintStatus& status);

    DemoOptions m_options;
    std::unique_ptr<VUvudiRoz> m_page;
    std::vector<QImage> m_pictures;
    int m_pageIndex = 0; // 0-based page being rendered
    TLRItem* m_pageLabel = nullptr;
    TLRItem* m_frame = nullptr;
    TLRImage* m_picture = nullptr;
    TLRItem* m_caption = nullptr;
};

// A generated picture: a colour gradient with its number, a circle and a diagonal, so that
// scaling and turning show.
QImage MakeDemoPicture(int number, QSize size);

} // namespace mirte::cli
