// The index card's plan of cards: the items card after card as they have always been printed,
// and with cards for each folder the folders one after another, each starting a card of its
// own with its name and path.
#include "cache/item_facts.h"
#include "layouts/folder_items.h"
#include "layouts/index_card_plan.h"
#include "support/gtest_qt.h"

#include <gtest/gtest.h>
#include <vector>

namespace mirte {
namespace {

const QString kRoot = QStringLiteral("/home/user/写真");

// Items lying in these folders (relative to kRoot), one an entry, named i0, i1, ... in order.
TFolderItems ItemsIn(const std::vector<QString>& folders) {
    std::vector<TItemFacts> facts;
    for (size_t i = 0; i < folders.size(); ++i) {
        TItemFacts item;
        item.Name = QStringLiteral("i%1").arg(i);
        item.Folder = folders[i];
        item.FullPath = JoinFolder(kRoot, item.Folder) + QLatin1Char('/') + item.Name;
        facts.push_back(item);
    }
    return TFolderItems(std::move(facts));
}

// `count` items in `folder`.
std::vector<QString> Many(const QString& folder, int count) {
    return std::vector<QString>(static_cast<size_t>(count), folder);
}

std::vector<QString> Joined(std::initializer_list<std::vector<QString>> parts) {
    std::vector<QString> all;
    for (const std::vector<QString>& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// What a card is expected to hold: its first and last item (-1: none) and its texts.
struct CardRow {
    int first;
    int last;
    const char* title;
    const char* path;
};

TEST(IndexCardPlan, CardsOfATreeWithAndWithoutEachFolder) {
    const QString a = kRoot + QStringLiteral("/2024");
    const QString b = kRoot + QStringLiteral("/2024/旅行");
    struct Row {
        const char* what;
        std::vector<QString> folders;
        int cells;
        const char* title;
        bool eachFolder;
        int pages;
        std::vector<CardRow> cards;
    };
    const std::string root = kRoot.toStdString();
    const std::string inA = a.toStdString();
    const std::string inB = b.toStdString();
    const Row rows[] = {
        {"off: the items run on across the folders",
         Joined({Many("", 3), Many("2024", 2)}),
         4,
         "",
         false,
         1,
         {{0, 3, "", root.c_str()}, {4, 4, "", root.c_str()}}},
        {"each folder, no title: the folders' names",
         Joined({Many("", 3), Many("2024", 2)}),
         4,
         "",
         true,
         1,
         {{0, 2, "写真", root.c_str()}, {3, 4, "2024", inA.c_str()}}},
        {"each folder, typed title, a folder over two cards",
         Joined({Many("", 5), Many("2024", 1), Many("2024/旅行", 4)}),
         4,
         "夏",
         true,
         2,
         {{0, 3, "夏 写真", root.c_str()},
          {4, 4, "夏 写真", root.c_str()},
          {5, 5, "夏 2024", inA.c_str()},
          {6, 9, "夏 旅行", inB.c_str()}}},
        {"a title of blanks counts as none",
         Many("2024", 1),
         1,
         "  ",
         true,
         1,
         {{0, 0, "2024", inA.c_str()}}},
        {"off: a full last card, no more",
         Joined({Many("", 4), Many("2024", 4)}),
         4,
         "旅",
         false,
         1,
         {{0, 3, "旅", root.c_str()}, {4, 7, "旅", root.c_str()}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TFolderItems items = ItemsIn(row.folders);
        const TIndexCardPlan plan(&items, row.cells, {QString::fromUtf8(row.title), kRoot},
                                  row.eachFolder);
        ASSERT_EQ(plan.CardCount(), static_cast<int>(row.cards.size()));
        EXPECT_EQ(plan.PageCount(), row.pages);
        for (int card = 0; card < plan.CardCount(); ++card) {
            const CardRow& want = row.cards[static_cast<size_t>(card)];
            const TPlannedCard& got = plan.Card(card);
            EXPECT_EQ(got.Title, QString::fromUtf8(want.title)) << card;
            EXPECT_EQ(got.Path, QString::fromUtf8(want.path)) << card;
            EXPECT_EQ(plan.ItemAt(card, 0), want.first) << card;
            EXPECT_EQ(plan.ItemAt(card, got.Count - 1), want.last) << card;
            EXPECT_EQ(plan.ItemAt(card, got.Count), -1) << card; // a folder ends its card
        }
    }
}

TEST(IndexCardPlan, FoldersComeInTheOrderOfTheirFirstItems) {
    // As the size order mixes them: x, root, x, y, root.
    const TFolderItems items = ItemsIn({"x", "", "x", "y", ""});
    const TIndexCardPlan plan(&items, 9, {QString(), kRoot}, true);
    ASSERT_EQ(plan.CardCount(), 3);
    const std::vector<std::vector<int>> cards{{0, 2}, {1, 4}, {3}};
    for (int card = 0; card < 3; ++card) {
        const std::vector<int>& want = cards[static_cast<size_t>(card)];
        for (size_t cell = 0; cell <= want.size(); ++cell) {
            EXPECT_EQ(plan.ItemAt(card, static_cast<int>(cell)),
                      cell < want.size() ? want[cell] : -1)
                << card << " " << cell;
        }
    }
    EXPECT_EQ(plan.Card(0).Title, QStringLiteral("x"));
    EXPECT_EQ(plan.Card(1).Title, QStringLiteral("写真"));
}

TEST(IndexCardPlan, CardsPastTheLastAndPlansWithoutItems) {
    struct Row {
        const char* what;
        std::vector<QString> folders;
        bool eachFolder;
        bool listed; // false: no items at all
        int cards;
        const char* spareTitle;
        bool sparePath;
    };
    const Row rows[] = {
        {"off: a spare card keeps the title and path", Many("a", 1), false, true, 1, "題", true},
        {"each folder: a spare card belongs to none", Many("a", 1), true, true, 1, "", false},
        {"each folder over no items: as without", {}, true, true, 0, "題", true},
        {"no items at all", {}, false, false, 0, "題", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TFolderItems items = ItemsIn(row.folders);
        const TIndexCardPlan plan(row.listed ? &items : nullptr, 36, {QStringLiteral("題"), kRoot},
                                  row.eachFolder);
        EXPECT_EQ(plan.CardCount(), row.cards);
        EXPECT_EQ(plan.PageCount(), 1);
        const TPlannedCard& spare = plan.Card(row.cards);
        EXPECT_EQ(spare.Count, 0);
        EXPECT_EQ(spare.Title, QString::fromUtf8(row.spareTitle));
        EXPECT_EQ(spare.Path, row.sparePath ? kRoot : QString());
        EXPECT_EQ(plan.ItemAt(row.cards, 0), -1);
        EXPECT_EQ(plan.ItemAt(-1, 0), -1);
    }
}

TEST(IndexCardPlan, FolderNamesAndPaths) {
    struct Row {
        const char* root;
        const char* relative;
        const char* path;
        const char* name;
    };
    const Row rows[] = {
        {"/home/user/写真", "", "/home/user/写真", "写真"},
        {"/home/user/写真/", "2024/旅行", "/home/user/写真/2024/旅行", "旅行"},
        {"/", "DCIM", "/DCIM", "DCIM"},
        {"/", "", "/", "/"},
    };
    for (const Row& row : rows) {
        const QString path =
            JoinFolder(QString::fromUtf8(row.root), QString::fromUtf8(row.relative));
        EXPECT_EQ(path, QString::fromUtf8(row.path)) << row.root << " " << row.relative;
        EXPECT_EQ(FolderName(path), QString::fromUtf8(row.name)) << row.path;
    }
}

} // namespace
} // namespace mirte
