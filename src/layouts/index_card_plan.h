#pragma once

#include <QString>
#include <vector>

namespace mirte {

class TThumbItemSource;

// One card of an index card run: the items in its cells and what its title and label band say.
struct TPlannedCard {
    int First = 0; // its first cell's place in TIndexCardPlan's item order
    int Count = 0; // the cells it fills
    QString Title;
    QString Path;
};

// What a run of index cards shows: the cards in the order they are filled (page 1's right card,
// page 1's left card, page 2's right card, ...), each with its items and texts.
class TIndexCardPlan {
public:
    // What the user chose for the cards: the typed title and the folder the grid shows.
    struct TTexts {
        QString Title;
        QString FolderPath;
    };

    TIndexCardPlan() = default;
    // The items one after another, `cellsPerCard` to a card, each card with the typed title and
    // the folder's path. With `eachFolder`, every folder of the items gets cards of its own:
    // the folders in the order of their first items, a folder's items in their own order, each
    // card titled with its folder's name (after the typed title, when there is one) and showing
    // its folder's full path.
    TIndexCardPlan(const TThumbItemSource* items, int cellsPerCard, const TTexts& texts,
                   bool eachFolder);

    int CardCount() const { return static_cast<int>(m_cards.size()); }
    // At least one page, two cards a page.
    int PageCount() const;
    // The card at `index` (0: page 1's right card); one past the last is empty, with the texts
    // of a card that has nothing of its own.
    const TPlannedCard& Card(int index) const;
    // The item shown in a cell of a card (the cell's number counted along the rows), -1 for an
    // empty cell.
    int ItemAt(int card, int cell) const;

private:
    void AddCards(const std::vector<int>& items, int cellsPerCard, const QString& title,
                  const QString& path);

    std::vector<int> m_order; // item indices, card after card
    std::vector<TPlannedCard> m_cards;
    TPlannedCard m_spare;
};

} // namespace mirte
