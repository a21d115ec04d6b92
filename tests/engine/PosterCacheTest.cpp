#include <memory>

#include <gtest/gtest.h>

#include "engine/PosterCache.h"

namespace {

std::shared_ptr<const TBitmap> Poster(int width, int height)
{
    return std::make_shared<const TBitmap>(width, height, TPixelFormat::pf24bit);  // rows of 4-byte multiples
}

TEST(PosterCache, KeepsAndFindsByKey)
{
    TPosterCache cache(1000);
    EXPECT_EQ(cache.Find("img01"), nullptr);
    auto poster = Poster(4, 4);  // 4 rows of 12 bytes
    cache.Add("img01", poster);
    EXPECT_EQ(cache.Find("img01"), poster);
    EXPECT_EQ(cache.Find("img01/palette"), nullptr);
    EXPECT_EQ(cache.BytesHeld(), 48u);
    cache.Add("img02", nullptr);  // nothing to keep
    EXPECT_EQ(cache.Count(), 1u);
}

TEST(PosterCache, SameKeyReplacesTheKeptPoster)
{
    TPosterCache cache(1000);
    cache.Add("img01", Poster(4, 4));
    auto second = Poster(4, 2);
    cache.Add("img01", second);
    EXPECT_EQ(cache.Find("img01"), second);
    EXPECT_EQ(cache.Count(), 1u);
    EXPECT_EQ(cache.BytesHeld(), 24u);
}

TEST(PosterCache, NeverHoldsMoreThanTheCeiling)
{
    TPosterCache cache(100);
    cache.Add("big", Poster(4, 10));  // 120 bytes: larger than the ceiling on its own
    EXPECT_EQ(cache.Count(), 0u);
    cache.Add("a", Poster(4, 4));  // 48
    cache.Add("b", Poster(4, 4));  // 96
    cache.Add("c", Poster(4, 1));  // 108 would be too many: not kept
    EXPECT_EQ(cache.BytesHeld(), 96u);
    EXPECT_EQ(cache.Find("c"), nullptr);
    cache.Clear();
    EXPECT_EQ(cache.BytesHeld(), 0u);
    EXPECT_EQ(cache.Count(), 0u);
    cache.Add("c", Poster(4, 1));
    EXPECT_NE(cache.Find("c"), nullptr);
}

TEST(PosterCache, GoingRoundKeepsTheFirstPostersFound)
{
    // Five posters, room for three: going round them again finds the first three every
    // time instead of none.
    TPosterCache cache(150);
    int found = 0;
    for (int round = 0; round < 3; ++round)
        for (int i = 1; i <= 5; ++i) {
            const std::string key = "img0" + std::to_string(i);
            if (cache.Find(key))
                ++found;
            else
                cache.Add(key, Poster(4, 4));
        }
    EXPECT_EQ(found, 6);
    EXPECT_EQ(cache.Count(), 3u);
}

} // namespace
