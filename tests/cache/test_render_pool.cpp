// The render workers behind the cache: hundreds of small pictures fetched through the pool
// while passes are cancelled (abort), jump ahead (scroll) and change their read box (size
// change) at seeded random moments. Run under ThreadSanitizer by scripts/test as well.
#include "cache/picture_scheduler.h"
#include "cache/render_pool.h"
#include "cache/thumbnail_db.h"
#include "picture_fixtures.h"
#include "support/temp_folder.h"

#include <array>
#include <gtest/gtest.h>
#include <random>

using namespace mirte;
using namespace mirte::test;

namespace {

constexpr int Count = 800; // each made in the cache's 512 box
// ThreadSanitizer runs the passes a dozen times slower; a race shows in any of them, so fewer
// passes there keep the test command short.
#if defined(__SANITIZE_THREAD__)
#define MIRTE_TEST_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define MIRTE_TEST_TSAN 1
#endif
#endif
#if defined(MIRTE_TEST_TSAN)
constexpr int Passes = 2;
constexpr int WholePassesAtLeast = 1; // the others cancelled half-way
#else
constexpr int Passes = 6;
constexpr int WholePassesAtLeast = 2;
#endif
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
    TPictureScheduler scheduler(&db, pool);
    std::mt19937 random(20261208);
    int wholePasses = 0;
    for (int pass = 0; pass < Passes; ++pass) {
        SCOPED_TRACE(pass);
        if (random() % 2 == 0) {
            std::vector<TPictureResult> late;
            scheduler.Finish(late); // what a cancelled pass had under way: stored, not handed out
            EXPECT_TRUE(late.empty());
            db.ClearCache(); // a reload of a folder not seen before
        }
        const int box = std::array{16, 32, 64}[random() % 3];
        scheduler.Begin();
        const int cancelAt = random() % 3 == 0 ? int(random() % Count) : -1;
        std::vector<int> handed(Count, 0);
        std::vector<char> asked(Count, 0);
        std::vector<TPictureResult> out;
        const auto check = [&] {
            for (const TPictureResult& item : out) {
                const int index = item.Request.Index;
                ASSERT_EQ(item.Request.Path, paths[index]);
                ++handed[size_t(index)];
                EXPECT_EQ(item.Picture.isNull(), Damaged(index)) << index;
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
            scheduler.Thumbnail({0, next, paths[next], QSize(box, box), TFileLook()}, out);
            check();
            if (step == cancelAt) {
                scheduler.Cancel();
                cancelled = true;
            }
        }
        if (cancelled) {
            for (int i = 0; i < Count; ++i) {
                EXPECT_LE(handed[size_t(i)], 1) << i;
            }
            continue;
        }
        scheduler.Finish(out);
        check();
        for (int i = 0; i < Count; ++i) {
            EXPECT_EQ(handed[size_t(i)], 1) << i;
        }
        ++wholePasses;
    }
    EXPECT_GE(wholePasses, WholePassesAtLeast);
    EXPECT_EQ(pool.Outstanding(), 0);
}

// One scheduler for every caller: a stored thumbnail is read by a worker at the box asked, a
// missing one rendered and stored, a damaged one made anew, a picture rendered for a caller
// alone never stored; each handed out once, and in the order asked where that is asked for.
TEST(PictureScheduler, HandsOutEveryKindOnceAndInOrderWhereAsked) {
    for (const bool inOrder : {false, true}) {
        SCOPED_TRACE(inOrder);
        TempFolder pictures;
        TempFolder cache;
        const QByteArray jpeg = EncodeWithQt(MakeTestPicture(640, 480), "jpg");
        const QStringList paths{
            pictures.Write("stored.jpg", jpeg), pictures.Write("missing.jpg", jpeg),
            pictures.Write("damaged.jpg", jpeg), pictures.Write("no picture.jpg", "not a jpeg"),
            pictures.Write("for the caller.jpg", jpeg)};
        TThumbnailDB db;
        db.SetCacheDirectory(cache.Path());
        db.SetMaxCacheSize(100000);
        ASSERT_TRUE(db.Thumbnail(paths[0]).Ok());
        ASSERT_TRUE(db.Thumbnail(paths[2]).Ok());
        cache.Write(db.Locate(paths[2])->File.mid(cache.Path().size() + 1), "garbage");

        TRenderPool pool(2);
        TPictureScheduler scheduler(&db, pool, 1, inOrder);
        scheduler.Begin();
        std::vector<TPictureResult> out;
        for (int i = 0; i < 4; ++i) {
            scheduler.Thumbnail({7, i, paths[i], QSize(64, 64), TFileLook()}, out);
        }
        scheduler.Render({7, 4, paths[4], QSize(40, 40), TFileLook()}, out);
        scheduler.Finish(out);

        const struct {
            TJobKind kind;
            bool fromCache;
            int longest; // of the picture handed out; 0: none
            bool stored; // afterwards
        } expected[] = {{TJobKind::ReadStored, true, 64, true},
                        {TJobKind::RenderForCache, false, 512, true},
                        {TJobKind::RenderForCache, false, 512, true},
                        {TJobKind::RenderForCache, false, 0, false},
                        {TJobKind::Render, false, 40, false}};
        ASSERT_EQ(out.size(), 5u);
        std::vector<int> order;
        for (const TPictureResult& result : out) {
            const int i = result.Request.Index;
            SCOPED_TRACE(i);
            order.push_back(i);
            EXPECT_EQ(result.Request.Tag, 7u);
            EXPECT_EQ(result.Request.Path, paths[i]);
            EXPECT_EQ(result.Kind, expected[i].kind);
            EXPECT_EQ(result.FromCache, expected[i].fromCache);
            EXPECT_EQ(std::max(result.Picture.width(), result.Picture.height()),
                      expected[i].longest);
            EXPECT_EQ(result.Error.isEmpty(), expected[i].longest > 0);
        }
        if (inOrder) {
            EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
        }
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
        // What was made for the cache is stored, what was made for the caller is not.
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(db.Locate(paths[i]).has_value(), expected[i].stored) << i;
        }
    }
}
