#include "core/ReadableText.h"

#include <gtest/gtest.h>

#include <string>

using namespace tovera;

namespace {

TEST(ReadableText, MarkupEntitiesFacesAndSpacesBecomeWhatAReaderSees) {
    struct Case {
        std::string stored;
        std::string readable;
    };
    for (const Case& c : {
             Case{"<p>翠湖<b>名邸</b></p><p>第二段</p>", "翠湖名邸 第二段"},  // inline: no space
             Case{"一<br/>二<td>三</td>", "一 二 三"},
             Case{"A &amp; B &lt;p&gt; &quot;引&quot;&nbsp;&nbsp;x", "A & B <p> \"引\" x"},
             Case{"&#20013;&#x6587;&#X41;", "中文A"},
             Case{"好[Face3]看[Face12]", "好看"},
             Case{"  多\n\n  空\t白 ", "多 空 白"},
             Case{"<script>var a = '<p>';</script>正文<style>p{}</style>", "正文"},
             // Not markup: kept as written.
             Case{"a < b > c", "a < b > c"},
             Case{"R&D &unknown; &#; &#xZZ; [Face] [Facex]",
                  "R&D &unknown; &#; &#xZZ; [Face] [Facex]"},
             Case{"<p>未闭合", "未闭合"},
             Case{"<!-- 注释 -->文字", "文字"},
             Case{"", ""},
         }) {
        EXPECT_EQ(readableText(c.stored), c.readable) << c.stored;
    }
}

TEST(ReadableText, HostileInputEndsWithoutError) {
    EXPECT_EQ(readableText(std::string(10000, '<')), std::string(10000, '<'));
    EXPECT_EQ(readableText("&#99999999999;x"), "x");
    EXPECT_EQ(readableText("<script>never closed"), "");
    EXPECT_EQ(readableText("\xFF\xFE&amp;"), "\xFF\xFE&");
}

}  // namespace
