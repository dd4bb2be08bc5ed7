#include "platform/Md5.h"

#include <gtest/gtest.h>

using namespace tovera::platform;

TEST(Md5, KnownDigests) {
    EXPECT_EQ(md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5Hex("The quick brown fox jumps over the lazy dog"),
              "9e107d9d372bb6826bd81d3542a419d6");
    EXPECT_EQ(md5Hex("abc", true), "900150983CD24FB0D6963F7D28E17F72");
}
