#include <filesystem>

#include "core/PreferenceKeys.h"
#include "framework/ImageCache.h"
#include "framework/ImageLoader.h"
#include "framework/PictureMemoryCache.h"
#include "platform/AppHome.h"
#include "platform/Preferences.h"
#include "tests/framework/FrameworkUiTest.h"
#include "tests/framework/ScriptedServer.h"
#include "tests/support/TempHome.h"

using namespace tovera;

namespace {

class PictureMemory : public tovera::testing::FrameworkUiTest {
protected:
    void SetUp() override {
        FrameworkUiTest::SetUp();
        PictureMemoryCache::shared().clear();
    }
    void TearDown() override {
        PictureMemoryCache::shared().clear();
        FrameworkUiTest::TearDown();
    }
    // A picture of `side` x `side` 32-bit pixels (4 x side^2 bytes).
    static QImage square(int side, QColor colour = Qt::red) {
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(colour);
        return image;
    }
};

TEST_F(PictureMemory, TheLeastRecentlyUsedGoFirstWithinTheCountAndTheBytes) {
    PictureMemoryCache cache;
    const PictureMemoryCache::Bounds two{2, 1 << 20};
    cache.insert("a", square(4), two);
    cache.insert("b", square(4), two);
    EXPECT_FALSE(cache.find("a").isNull());  // "a" is now the most recent
    cache.insert("c", square(4), two);
    EXPECT_EQ(cache.count(), 2u);
    EXPECT_TRUE(cache.find("b").isNull());
    EXPECT_FALSE(cache.find("a").isNull());
    EXPECT_FALSE(cache.find("c").isNull());

    // 16 x 16 x 4 = 1024 bytes each: a bound of 2100 bytes keeps the two of
    // them and drops the two small ones (64 bytes each) used least recently.
    const PictureMemoryCache::Bounds bytes{100, 2100};
    cache.insert("d", square(16), bytes);
    cache.insert("e", square(16), bytes);
    EXPECT_EQ(cache.bytes(), 2048u);
    EXPECT_FALSE(cache.find("e").isNull());
    EXPECT_FALSE(cache.find("d").isNull());
    EXPECT_TRUE(cache.find("a").isNull());
    EXPECT_TRUE(cache.find("c").isNull());

    // Larger than the whole bound: not kept, nothing else dropped for it.
    cache.insert("huge", square(64), bytes);
    EXPECT_TRUE(cache.find("huge").isNull());
    EXPECT_EQ(cache.count(), 2u);

    // The same key again replaces its picture and its bytes.
    cache.insert("d", square(8, Qt::blue), bytes);
    EXPECT_EQ(cache.find("d").pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(cache.bytes(), 1024u + 256u);
}

TEST_F(PictureMemory, TheBoundsComeFromThePreferencesWithDefaultsForBadValues) {
    platform::Preferences& prefs = platform::preferences();
    prefs.setString(PrefKey::kPictureCacheCount, "40");
    prefs.setString(PrefKey::kPictureCacheBytes, "1048576");
    PictureMemoryCache::Bounds bounds = PictureMemoryCache::boundsFromPreferences();
    EXPECT_EQ(bounds.count, 40u);
    EXPECT_EQ(bounds.bytes, 1048576u);

    for (const char* bad : {"0", "-5", "12MB", "", "99999999999999999999999"}) {
        prefs.setString(PrefKey::kPictureCacheCount, bad);
        prefs.setString(PrefKey::kPictureCacheBytes, bad);
        bounds = PictureMemoryCache::boundsFromPreferences();
        EXPECT_EQ(bounds.count, PictureMemoryCache::kDefaultCount) << bad;
        EXPECT_EQ(bounds.bytes, PictureMemoryCache::kDefaultBytes) << bad;
    }

    // The shared cache honours them when it keeps a picture.
    prefs.setString(PrefKey::kPictureCacheCount, "3");
    for (int i = 0; i < 10; ++i)
        PictureMemoryCache::shared().insert("p" + std::to_string(i), square(2));
    EXPECT_EQ(PictureMemoryCache::shared().count(), 3u);
}

TEST_F(PictureMemory, ACachedPictureIsDecodedOnceAndKeptPerHome) {
    tovera::testing::ScriptedServer server;
    const std::string url = server.url("/pic/kept.jpg");
    ASSERT_TRUE(ImageCache::write(url, tovera::testing::jpegBytes(20, 10)));
    const QImage first = ImageLoader::cachedImage(url);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(PictureMemoryCache::shared().count(), 1u);

    // Served from memory: the file is no longer read.
    std::filesystem::remove(ImageCache::filePath(url));
    const QImage again = ImageLoader::cachedImage(url);
    ASSERT_FALSE(again.isNull());
    EXPECT_EQ(again.cacheKey(), first.cacheKey()) << "the same decoded pixels, not a new decode";

    // Another home does not see the pictures of this one.
    const std::string home = platform::homeDirectory();
    tovera::testing::TempDir other;
    platform::setHomeDirectory(other.path().string());
    EXPECT_TRUE(ImageLoader::cachedImage(url).isNull());
    platform::setHomeDirectory(home);
}

}  // namespace
