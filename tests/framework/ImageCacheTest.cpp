#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/Encoding.h"
#include "framework/ImageCache.h"
#include "platform/AppHome.h"
#include "tests/support/TempHome.h"

using namespace tovera;
namespace fs = std::filesystem;

namespace {

TEST(ImageCache, NamesFilesByTheEncodedUrlOrItsDigest) {
    tovera::testing::TempHome home;
    const std::string url = "http://127.0.0.1:8080/pic/a b.jpg";
    EXPECT_EQ(ImageCache::fileName(url), "http%3A%2F%2F127.0.0.1%3A8080%2Fpic%2Fa%20b.jpg");
    EXPECT_EQ(ImageCache::filePath(url),
              platform::documentsDirectory() + "/" + URLEncodedString(url));

    const struct {
        std::string url;
        bool digest;
    } cases[] = {
        {"http://h/" + std::string(200, 'x'), false},  // 212 characters still fit
        {"http://h/" + std::string(300, 'x'), true},   // longer than a file name may be
        {"http://h/" + std::string(80, '/'), true},    // every "/" takes three characters
        {".", true},
        {"..", true},
    };
    for (const auto& c : cases) {
        const std::string name = ImageCache::fileName(c.url);
        EXPECT_TRUE(platform::isSafeFileName(name)) << c.url;
        EXPECT_EQ(name == md5Hash(c.url), c.digest) << c.url;
    }
    EXPECT_EQ(ImageCache::fileName(""), "");
    EXPECT_EQ(ImageCache::filePath(""), "");
}

TEST(ImageCache, KeepsBytesUnderTheirUrlAndReplacesThemWhole) {
    tovera::testing::TempHome home;
    const std::string url = "http://h/" + std::string(300, 'y');
    EXPECT_FALSE(ImageCache::read(url));
    ASSERT_TRUE(ImageCache::write(url, std::string("\x89PNG\0data", 9)));
    EXPECT_EQ(ImageCache::read(url), std::string("\x89PNG\0data", 9));
    ASSERT_TRUE(ImageCache::write(url, "second"));
    EXPECT_EQ(ImageCache::read(url), "second");
    EXPECT_FALSE(ImageCache::write("", "x"));

    int files = 0;
    for (const auto& entry : fs::directory_iterator(platform::documentsDirectory())) {
        EXPECT_EQ(entry.path().filename(), md5Hash(url)) << "no temporary file is left";
        ++files;
    }
    EXPECT_EQ(files, 1);
}

}  // namespace
