// What the main window's buttons, lists and menu items do.
#include "browse/image_list_thread.h"
#include "browse/thumb_list_view.h"
#include "cache/item_facts.h"
#include "cache/thumbnail_db.h"
#include "folder_tree.h"
#include "frm_cache.h"
#include "frm_thumbnail.h"
#include "frm_version.h"
#include "layouts/print_picture.h"
#include "msg_manage.h"
#include "print/dialog_util.h"
#include "print/print_windows.h"
#include "util/paths.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <exception>

namespace mirte {

void TfrmThumbnail::BtnAbortClick() {
    m_imageListThread->AbortLoad();
}

void TfrmThumbnail::BtnReloadClick() {
    ShellTreeView->RefreshFromTop();
    // The folder is listed again, so that files added or removed since show.
    const QString folder = SelectedFolder();
    if (folder.isEmpty()) {
        m_imageListThread->Reload();
    } else {
        LoadFolder(folder);
    }
}

void TfrmThumbnail::RefreshClick() {
    ShellTreeView->RefreshFromTop();
}

void TfrmThumbnail::CbSizeChange(int index) {
    if (index < 0 || index >= int(ThumbnailSizes().size())) {
        return;
    }
    const TThumbnailSize& size = ThumbnailSizes()[index];
    m_imageListThread->SetThumbnailSize(size.Width, size.Height);
    SaveWindowState();
}

void TfrmThumbnail::CbHyoujiChange(int index) {
    if (!LoadFinished()) {
        ShowMessage(tr("画像読み込み中は、表示順切替は無効です。"), {mkOK});
        const QSignalBlocker quiet(CbHyouji);
        CbHyouji->setCurrentIndex(m_imageListThread->SortOrder());
        return;
    }
    m_imageListThread->SetSortOrder(index);
    SaveWindowState();
}

bool TfrmThumbnail::PrintAllowed() {
    // The status bar shows the end of a load before the loader has saved the table: the cache
    // is the GUI thread's only once the loader itself is idle.
    if (LoadFinished() && m_imageListThread->SettleIdle()) {
        return true;
    }
    ShowMessage(tr("画像読み込み中は、印刷ボタンは無効です。"), {mkOK});
    return false;
}

void TfrmThumbnail::BtnPrintThumbnailClick() {
    if (!PrintAllowed()) {
        return;
    }
    m_printWindows->PrintThumbnail(SelectedFolder(), ShowsSubfolders());
    m_imageListThread->ResumeFill(); // the grid's thumbnails not read when printing began
}

void TfrmThumbnail::BtnContactClick() {
    if (!PrintAllowed()) {
        return;
    }
    m_printWindows->PrintContactSheet(SelectedFolder());
    m_imageListThread->ResumeFill(); // the grid's thumbnails not read when printing began
}

void TfrmThumbnail::BtnPrintJacketClick() {
    if (!PrintAllowed()) {
        return;
    }
    const int selected = m_thumbList->SelectedIndex();
    if (selected < 0) {
        ShowMessage(
            tr("バックカード印刷をする前に、表示されている画像の中からお好みの画像をクリック"
               "して選んでください。"),
            {mkOK});
        m_imageListThread->ResumeFill();
        return;
    }
    TPrintPicture picture;
    {
        const TWaitCursor wait;
        // Allowed on this thread: the load guard above says the loader is idle. A picture that
        // cannot be had leaves the card without one.
        picture = FetchPrintPicture(*m_thumbnailDB, m_thumbList->ItemFacts(selected).FullPath);
    }
    emit PrintJacketRequested(picture.Picture, SelectedFolder());
    m_printWindows->PrintJacket(picture, SelectedFolder());
    m_imageListThread->ResumeFill(); // the grid's thumbnails not read when printing began
}

void TfrmThumbnail::N3Click() {
    // Nothing may use the cache from two threads at once: a running load stops first and
    // starts again once the dialog has closed.
    const bool wasLoading = StopLoadForCache();
    m_frmCache->Execute();
    if (wasLoading) {
        m_imageListThread->Reload();
    }
}

void TfrmThumbnail::About1Click() {
    TfrmVersion about(this);
    about.exec();
}

void TfrmThumbnail::ReadMe1Click() {
    const QString& readMe = m_paths.ReadMeFile;
    if (readMe.isEmpty() || !QFileInfo::exists(readMe)) {
        ShowMessage(tr("ReadMeファイルが存在しません。"), {mkOK});
        return;
    }
    OpenUrl(QUrl::fromLocalFile(readMe));
}

void TfrmThumbnail::OpenItem(int index) {
    if (index < 0 || index >= m_thumbList->Count()) {
        return;
    }
    const QString path = m_thumbList->ItemFacts(index).FullPath;
    if (!path.isEmpty()) {
        OpenUrl(QUrl::fromLocalFile(path));
    }
}

void TfrmThumbnail::OpenUrl(const QUrl& url) {
    if (QDesktopServices::openUrl(url)) {
        return;
    }
    // No program on this desktop takes it (no handler, no launcher): say what was not opened.
    // A mail address is named without the body it would have taken.
    const QString what =
        url.isLocalFile() ? url.toLocalFile() : url.toDisplayString(QUrl::RemoveQuery);
    ShowMessage(tr("\"%1\" を開けませんでした。").arg(what), {mkOK});
}

} // namespace mirte
