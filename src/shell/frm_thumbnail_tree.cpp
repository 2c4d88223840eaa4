// The main window's folder trees: the switch that shows the folders below the chosen one, and
// what the status bar says while and after such a tree is walked.
#include "browse/image_list_thread.h"
#include "diag/th_debug_log.h"
#include "frm_thumbnail.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace mirte {

namespace {

// The skipped places named in the tooltip, at most; the log has them all.
constexpr int kSkipsShown = 20;

} // namespace

void TfrmThumbnail::BuildViewMenu(QMenuBar* bar) {
    QMenu* view = bar->addMenu(tr("表示(&V)"));
    view->setObjectName(QStringLiteral("MMView"));
    MMSubfolders = view->addAction(tr("サブフォルダも表示(&S)"));
    MMSubfolders->setObjectName(QStringLiteral("MMSubfolders"));
    MMSubfolders->setCheckable(true);
    // Also where the folders are: a right click on the tree.
    TreeViewPopupMenu->addSeparator();
    TreeViewPopupMenu->addAction(MMSubfolders);
    connect(MMSubfolders, &QAction::triggered, this, &TfrmThumbnail::SetSubfolders);
}

bool TfrmThumbnail::ShowsSubfolders() const {
    return MMSubfolders != nullptr && MMSubfolders->isChecked();
}

void TfrmThumbnail::SetSubfolders(bool on) {
    MMSubfolders->setChecked(on);
    SaveWindowState();
    // Queued: the menu that asked closes first.
    QTimer::singleShot(0, this, [this] {
        if (!SelectedFolder().isEmpty()) {
            LoadFolder(SelectedFolder());
        }
    });
}

void TfrmThumbnail::SetWalkProgress(int folders, int files) {
    StatusPanel2->setText(tr(" アドレス：%1　探索中：%2 フォルダ、%3 ファイル")
                              .arg(m_address, QString::number(folders), QString::number(files)));
}

void TfrmThumbnail::SetTreeWalked(int folders, int files, const std::vector<TWalkSkip>& skipped) {
    QString text = tr(" アドレス：%1　%2 フォルダ、%3 ファイル")
                       .arg(m_address, QString::number(folders), QString::number(files));
    QStringList lines;
    for (const TWalkSkip& skip : skipped) {
        if (m_debugLog != nullptr) {
            m_debugLog->WriteF("フォルダの一覧から外しました：%s　%s", qUtf8Printable(skip.Path),
                               qUtf8Printable(skip.Reason));
        }
        if (lines.size() < kSkipsShown) {
            lines << tr("%1：%2").arg(skip.Path, skip.Reason);
        }
    }
    if (!skipped.empty()) {
        text += tr("　（%1 か所を飛ばしました）").arg(skipped.size());
        if (skipped.size() > std::size_t(kSkipsShown)) {
            lines << tr("ほか %1 か所").arg(skipped.size() - std::size_t(kSkipsShown));
        }
    }
    StatusPanel2->setText(text);
    StatusPanel2->setToolTip(lines.join(QLatin1Char('\n')));
}

} // namespace mirte
