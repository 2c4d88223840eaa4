#include "index_card_plan.h"

#include "cache/item_facts.h"
#include "thumb_item_source.h"
#include "util/paths.h"

#include <QHash>
#include <algorithm>
#include <numeric>

namespace mirte {

namespace {

// The last component of a folder's path ("/" stays itself).
QString FolderName(const QString& path) {
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/'))) {
        trimmed.chop(1);
    }
    const QString name = trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
    return name.isEmpty() ? trimmed : name;
}

// The title of a folder's cards: its name alone, or after the typed title and a space.
QString FolderCardTitle(const QString& typedTitle, const QString& folderName) {
    // A title of blanks is no title: the card would begin with them.
    if (typedTitle.trimmed().isEmpty()) {
        return folderName;
    }
    return typedTitle + QLatin1Char(' ') + folderName;
}

} // namespace

TIndexCardPlan::TIndexCardPlan(const TThumbItemSource* items, int cellsPerCard, const TTexts& texts,
                               bool eachFolder) {
    m_spare.Title = texts.Title;
    m_spare.Path = texts.FolderPath;
    const int count = items != nullptr ? items->Count() : 0;
    cellsPerCard = std::max(cellsPerCard, 1);
    if (!eachFolder || count == 0) {
        std::vector<int> all(static_cast<size_t>(count));
        std::iota(all.begin(), all.end(), 0);
        AddCards(all, cellsPerCard, texts.Title, texts.FolderPath);
        return;
    }
    // The folders in the order their first items come, each with its items in theirs.
    QStringList folders;
    std::vector<std::vector<int>> members;
    QHash<QString, size_t> place;
    for (int index = 0; index < count; ++index) {
        const QString folder = items->ItemFacts(index).Folder;
        auto found = place.constFind(folder);
        if (found == place.constEnd()) {
            found = place.insert(folder, members.size());
            folders.append(folder);
            members.emplace_back();
        }
        members[*found].push_back(index);
    }
    for (size_t i = 0; i < members.size(); ++i) {
        const QString& folder = folders[static_cast<qsizetype>(i)];
        const QString path =
            folder.isEmpty() ? texts.FolderPath : JoinPath(texts.FolderPath, folder);
        AddCards(members[i], cellsPerCard, FolderCardTitle(texts.Title, FolderName(path)), path);
    }
    // A card left over after the last folder's belongs to no folder: it says nothing.
    m_spare = TPlannedCard();
}

void TIndexCardPlan::AddCards(const std::vector<int>& items, int cellsPerCard, const QString& title,
                              const QString& path) {
    const int first = static_cast<int>(m_order.size());
    m_order.insert(m_order.end(), items.begin(), items.end());
    const int count = static_cast<int>(items.size());
    for (int done = 0; done < count; done += cellsPerCard) {
        m_cards.push_back({first + done, std::min(cellsPerCard, count - done), title, path});
    }
}

int TIndexCardPlan::PageCount() const {
    return std::max((CardCount() + 1) / 2, 1);
}

const TPlannedCard& TIndexCardPlan::Card(int index) const {
    return index >= 0 && index < CardCount() ? m_cards[static_cast<size_t>(index)] : m_spare;
}

int TIndexCardPlan::ItemAt(int card, int cell) const {
    if (card < 0 || card >= CardCount() || cell < 0) {
        return -1;
    }
    const TPlannedCard& planned = m_cards[static_cast<size_t>(card)];
    return cell < planned.Count
               ? m_order[static_cast<size_t>(planned.First) + static_cast<size_t>(cell)]
               : -1;
}

} // namespace mirte
