#pragma once

#include "cache/sort_keys.h"
#include "cache/thumbnail_db.h"
#include "layouts/folder_items.h"
#include "layouts/prt_thumbnail_print.h"
#include "report/fake_printer_device.h"
#include "support/temp_folder.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace mirte::test {

// What a grid cell held when the engine drew it.
struct CellSeen {
    bool Right = false; // the card filled first
    int Col = 0;
    int Row = 0;
    TEdgeRect Rect;     // the cell, on the page
    TEdgeRect BackLine; // relative to the cell
    TLineStyle BackLeft = TLineStyle::lsNone;
    TLineStyle BackRight = TLineStyle::lsNone;
    TLineStyle EdgeLeft = TLineStyle::lsNone; // BackLine2's sides
    TLineStyle EdgeRight = TLineStyle::lsNone;
    TEdgeRect Comment;
    QString Name;
    TEdgeRect Image;
    QSize Picture; // empty when the cell has none
};

// An index card on a 600-dpi A4 printer in landscape, over photos written into a scratch folder
// and a cache of its own.
class IndexCardFixture {
public:
    IndexCardFixture();

    // Writes `count` small JPEG photos (p000.jpg ...) and lists the folder into Items.
    QStringList WritePhotos(int count);
    // Writes photos into folders below Folder ("" for itself), so many each, and lists the tree
    // into Items in the name order, as the grid shows subfolders.
    void WriteTree(const std::vector<std::pair<QString, int>>& folders);
    // Items for these paths, described as the window describes them.
    void UseItems(const QStringList& paths);
    void ListFolder();
    // Records every cell drawn from now on.
    void RecordCells();
    // The preview image of a page, and the cells drawn for it.
    QImage Render(int page);
    const CellSeen* Cell(bool right, int col, int row) const;

    TempFolder Folder;
    TempFolder CacheFolder;
    TThumbnailDB Db;
    FakePrinterDevice Printer;
    TFolderItems Items;
    std::unique_ptr<TprtThumbnailPrint> Form;
    std::vector<CellSeen> Cells;
};

} // namespace mirte::test
