#include "layouts_fixture.h"

#include "cache/item_facts.h"
#include "cache/sort_keys.h"
#include "picture/picture_fixtures.h"

#include <QDir>

namespace mirte::test {

namespace {

void Record(std::vector<CellSeen>& cells, TprtThumbnailPrint& form, bool right) {
    TLRGridPanel& grid = right ? *form.ThumbnailRightCenter : *form.ThumbnailLeftCenter;
    auto original = grid.OnPrintPanel;
    grid.OnPrintPanel = [&cells, &form, right, original](TLRControl* sender, int col, int row,
                                                         const TEdgeRect& rect,
                                                         TPrintStatus& status) {
        original(sender, col, row, rect, status);
        const TLRItem& back = right ? *form.RBackLine : *form.LBackLine;
        const TLRItem& edge = right ? *form.RBackLine2 : *form.LBackLine2;
        const TLRItem& comment = right ? *form.RComment : *form.LComment;
        const TLRImage& image = right ? *form.RImage : *form.LImage;
        cells.push_back({right, col, row, rect, back.BoundsRect(), back.LineLeft, back.LineRight,
                         edge.LineLeft, edge.LineRight, comment.BoundsRect(), comment.Text(),
                         image.BoundsRect(), image.Picture().size()});
    };
}

} // namespace

IndexCardFixture::IndexCardFixture() {
    Printer.SetOrientation(TPrinterOrientation::poLandscape);
    Db.SetCacheDirectory(CacheFolder.Path());
    Db.SetMaxCacheSize(qint64{100} * 1024);
    Form = std::make_unique<TprtThumbnailPrint>(Db, Printer);
    Form->ListView = &Items;
    Form->ApplySettings(index_card::Defaults(), Folder.Path()); // as the dialog starts it
}

QStringList IndexCardFixture::WritePhotos(int count) {
    const QByteArray jpeg = EncodeWithQt(MakeTestPicture(160, 120), "jpg", 85);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        paths.append(Folder.Write(QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), jpeg));
    }
    ListFolder();
    return paths;
}

void IndexCardFixture::WriteTree(const std::vector<std::pair<QString, int>>& folders) {
    const QByteArray jpeg = EncodeWithQt(MakeTestPicture(160, 120), "jpg", 85);
    for (const auto& [folder, count] : folders) {
        for (int i = 0; i < count; ++i) {
            Folder.Write(folder + QStringLiteral("/p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), jpeg);
        }
    }
    Items = TFolderItems::ListTree(Folder.Path(), Db);
    Items.Sort(soName);
}

void IndexCardFixture::UseItems(const QStringList& paths) {
    Items = TFolderItems::Describe(paths, Db);
}

void IndexCardFixture::ListFolder() {
    Items = TFolderItems::List(Folder.Path(), Db);
    Items.Sort(soName);
}

void IndexCardFixture::RecordCells() {
    Record(Cells, *Form, false);
    Record(Cells, *Form, true);
}

QImage IndexCardFixture::Render(int page) {
    Cells.clear();
    Form->CurrentPage = page;
    Form->PageTotal = Form->PageCount();
    return Form->RenderPage();
}

const CellSeen* IndexCardFixture::Cell(bool right, int col, int row) const {
    for (const CellSeen& cell : Cells) {
        if (cell.Right == right && cell.Col == col && cell.Row == row) {
            return &cell;
        }
    }
    return nullptr;
}

} // namespace mirte::test
