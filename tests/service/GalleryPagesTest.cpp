// A project's album answers ten pictures at most at a time: "page" moves on
// through the rest, so a client can show every picture of a long album.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ServiceHarness.h"

namespace tovera::test {
namespace {

TEST(GalleryPages, PagesMoveOnThroughAnAlbumAndTheAlbumList) {
    RunningService service;
    ApiClient api{service};
    auto page = [&](const std::string& type, const std::string& number, const std::string& size) {
        return api.get(
            "house/gallery.aspx",
            {{"id", "1001"}, {"t", type}, {"type", type}, {"page", number}, {"size", size}});
    };
    // Album 2 of project 1001 holds eight pictures: three pages of three.
    std::set<std::string> seen;
    int total = 0;
    for (const char* number : {"1", "2", "3"}) {
        const Value reply = page("2", number, "3");
        total = reply.getIntValueForKey("total", 0);
        for (const Value& picture : reply["result"].items())
            EXPECT_TRUE(seen.insert(picture["title"].toText()).second)
                << "page " << number << " repeats " << picture["title"].toText();
    }
    EXPECT_EQ(total, 8);
    EXPECT_EQ(seen.size(), 8u);
    EXPECT_TRUE(page("2", "4", "3")["result"].items().empty());

    // The album list: one page holds them all, the next holds none.
    const Value albums = page("0", "1", "10");
    EXPECT_EQ(int(albums["result"].items().size()), albums.getIntValueForKey("total", -1));
    EXPECT_TRUE(page("0", "2", "10")["result"].items().empty());
}

}  // namespace
}  // namespace tovera::test
