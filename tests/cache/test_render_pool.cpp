// The render workers behind the cache: hundreds of small pictures fetched through the pool
// while passes are cancelled (abort), jump ahead (scroll) and change their read box (size
// change) at seeded random moments. Run under ThreadSanitizer by scripts/test as well.
#include "cache/render_pool.h"
#include "cache/thumbnail_db.h"
#include "cache/thumbnail_fetcher.h"
#include "picture_fixtures.h"
#include "support/temp_folder.h"

#include <array>
#include <gtest/gtest.h>
#include <random>

using namespace mirte;
using namespace mirte::test;

namespace {

constexpr int Count = 800; // each made in the cache's 512 box
bool Damaged(int index) {
    return index % 97 == 0;
}

} // namespace

TEST(RenderPool, NoItemIsLostOrHandedOutTwiceThroughAbortsScrollsAndSizeChanges) {
    TempFolder pictures;
    TempFolder cache;
    // Every decoder the workers run, each picture now and then cut short.
    const std::array<const char*, 4> formats{"jpg", "png", "bmp", "tif"};
    std::array<QByteArray, 4> encoded;
    for (size_t f = 0; f < formats.size(); ++f) {
        encoded[f] = EncodeWithQt(MakeTestPicture(48, 36), formats[f]);
    }
    QStringList paths;
    for (int i = 0; i < Count; ++i) {
        const QByteArray& good = encoded[size_t(i) % formats.size()];
        paths << pictures.Write(QStringLiteral("p%1.%2")
                                    .arg(i, 4, 10, QLatin1Char('0'))
                                    .arg(QLatin1String(formats[size_t(i) % formats.size()])),
                                Damaged(i) ? good.left(40) : good);
    }
    TThumbnailDB db;
    db.SetCacheDirectory(cache.Path());
    db.SetMaxCacheSize(1000000);
    TRenderPool pool(3); // more workers than cores: more interleaving
    TThumbnailFetcher fetcher(db, pool);
    std::mt19937 random(20261208);
    int wholePasses = 0;
    for (int pass = 0; pass < 6; ++pass) {
        SCOPED_TRACE(pass);
        if (random() % 2 == 0) {
            std::vector<TThumbnailFetcher::Item> late;
            fetcher.Finish(late); // what a cancelled pass had under way: stored, not handed out
            EXPECT_TRUE(late.empty());
            db.ClearCache(); // a reload of a folder not seen before
        }
        const int box = std::array{16, 32, 64}[random() % 3];
        fetcher.Begin(QSize(box, box));
        const int cancelAt = random() % 3 == 0 ? int(random() % Count) : -1;
        std::vector<int> handed(Count, 0);
        std::vector<char> asked(Count, 0);
        std::vector<TThumbnailFetcher::Item> out;
        const auto check = [&] {
            for (const TThumbnailFetcher::Item& item : out) {
                ASSERT_EQ(item.Path, paths[item.Index]);
                ++handed[size_t(item.Index)];
                EXPECT_EQ(item.Picture.isNull(), Damaged(item.Index)) << item.Index;
                if (!item.Picture.isNull()) { // a hit read for the box, a miss whole
                    EXPECT_LE(std::max(item.Picture.width(), item.Picture.height()),
                              item.FromCache ? 64 : TThumbnailDB::CacheBox);
                }
            }
            out.clear();
        };
        int next = 0;
        bool cancelled = false;
        for (int step = 0; step < Count && !cancelled; ++step) {
            if (random() % 100 == 0) {
                next = int(random() % Count); // the user scrolled
            }
            while (asked[size_t(next)]) {
                next = (next + 1) % Count;
            }
            asked[size_t(next)] = 1;
            fetcher.Fetch(next, paths[next], out);
            check();
            if (step == cancelAt) {
                fetcher.Cancel();
                cancelled = true;
            }
        }
        if (cancelled) {
            for (int i = 0; i < Count; ++i) {
                EXPECT_LE(handed[size_t(i)], 1) << i;
            }
            continue;
        }
        fetcher.Finish(out);
        check();
        for (int i = 0; i < Count; ++i) {
            EXPECT_EQ(handed[size_t(i)], 1) << i;
        }
        ++wholePasses;
    }
    EXPECT_GE(wholePasses, 2);
    EXPECT_EQ(pool.Outstanding(), 0);
}
