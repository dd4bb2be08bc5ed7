#include "core/Encoding.h"

#include <gtest/gtest.h>

using namespace tovera;

TEST(Encoding, PercentEncodesGb18030BytesAndTheEscapeSet) {
    // Two Chinese characters, a space and a digit.
    EXPECT_EQ(URLEncodedString("中文 1"), "%D6%D0%CE%C4%201");
    EXPECT_EQ(URLEncodedString("a=b&c"), "a%3Db%26c");
    EXPECT_EQ(URLEncodedString("50%"), "50%25");
    EXPECT_EQ(URLEncodedString("http://x/y?z#w"), "http%3A%2F%2Fx%2Fy%3Fz%23w");
    EXPECT_EQ(URLEncodedString("9|7|5-._~[]"), "9|7|5-._~[]");
    EXPECT_EQ(URLEncodedString("!$'()*+,;@\"<>\t\n"),
              "%21%24%27%28%29%2A%2B%2C%3B%40%22%3C%3E%09%0A");
    EXPECT_EQ(URLEncodedString(""), "");
}

TEST(Encoding, DigestsAreTakenOverGb18030Bytes) {
    EXPECT_EQ(md5Hash(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5Hash("中文"), md5HashBytes("\xD6\xD0\xCE\xC4"));
    EXPECT_NE(md5Hash("中文"), md5HashBytes("中文"));
    EXPECT_EQ(MD5EncodedString("abc"), "900150983CD24FB0D6963F7D28E17F72");
}
