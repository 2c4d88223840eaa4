#include "item_facts.h"

#include "picture/picture_format.h"
#include "util/paths.h"

#include <QFileInfo>

namespace mirte {

QString SortCaptionLine(const TItemFacts& facts, int order) {
    switch (order) {
    case soSize:
        if (facts.FileSize < 0) {
            return {};
        }
        return QString::number(facts.FileSize / 1024) + QStringLiteral("KB (") +
               InfoText(facts, ieWidth) + QLatin1Char('x') + InfoText(facts, ieHeight) +
               QLatin1Char(')');
    case soShot:
        return facts.ShotOrFileTime().Text();
    default:
        return {};
    }
}

namespace {

const QString LoadedMark = QStringLiteral("Finished");

} // namespace

QString InfoText(const TItemFacts& facts, TInfoEntry entry) {
    switch (entry) {
    case ieLoadMark:
        return facts.Loaded ? LoadedMark : QString();
    case ieFileName:
        return facts.Name;
    case ieFullPath:
        return facts.FullPath;
    case ieFileSize:
        return facts.FileSize >= 0 ? QString::number(facts.FileSize) : QString();
    case ieFileTime:
        return facts.FileTime.Text();
    case ieShotTime:
        return facts.ShotTime.Text();
    case ieWidth:
        return facts.Shown.isValid() ? QString::number(facts.Shown.width()) : QString();
    case ieHeight:
        return facts.Shown.isValid() ? QString::number(facts.Shown.height()) : QString();
    case ieSortLine:
        return SortCaptionLine(facts, facts.SortOrder);
    }
    return {};
}

QStringList InfoTexts(const TItemFacts& facts) {
    QStringList texts;
    texts.reserve(InfoCount);
    for (int entry = 0; entry < InfoCount; ++entry) {
        texts.append(InfoText(facts, static_cast<TInfoEntry>(entry)));
    }
    return texts;
}

QString NameWithFolder(const TItemFacts& facts) {
    return facts.Folder.isEmpty() ? facts.Name : facts.Folder + QLatin1Char('/') + facts.Name;
}

QString RelativeFolder(const QString& root, const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0) {
        return {};
    }
    const QStringView folder = QStringView(path).left(slash);
    QStringView base(root);
    while (base.size() > 1 && base.endsWith(QLatin1Char('/'))) {
        base.chop(1);
    }
    const bool inside =
        folder.size() > base.size() && folder.startsWith(base) &&
        (base.endsWith(QLatin1Char('/')) || folder[base.size()] == QLatin1Char('/'));
    if (!inside) {
        return {};
    }
    return folder.mid(base.endsWith(QLatin1Char('/')) ? base.size() : base.size() + 1).toString();
}

bool IsMovieFile(const QString& path) {
    return IsMovieExtension(ExtractExt(path));
}

TItemFacts NamedFacts(const QString& path) {
    TItemFacts facts;
    facts.Name = QFileInfo(path).fileName();
    facts.FullPath = path;
    facts.Movie = IsMovieFile(path);
    return facts;
}

} // namespace mirte
