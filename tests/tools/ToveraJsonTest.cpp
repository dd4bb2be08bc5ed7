// Runs the built tovera-json on replies written to a temporary file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct ToolRun {
    int status = -1;
    std::string out;  // standard output and standard error
};

ToolRun runTool(const std::string& arguments, const std::string& input) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("tovera-json-test-" + std::to_string(::getpid()) + ".json");
    std::ofstream(file, std::ios::binary) << input;
    const std::string command =
        std::string(TOVERA_JSON_TOOL) + " " + arguments + " " + file.string() + " 2>&1";
    ToolRun run;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.out.append(buffer, n);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::filesystem::remove(file);
    return run;
}

}  // namespace

TEST(ToveraJson, PrintsTheValueTreeSortedAndReadable) {
    // "中" in GB18030, then a character whose second byte is a backslash.
    const ToolRun run = runTool("", "{\"b\":[1,2,],\"a\":\"\xD6\xD0\x81\x5C\",\"c\":{}}");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(
        run.out,
        "{\n  \"a\" : \"中\xE4\xB9\x97\",\n  \"b\" : [\n    1,\n    2\n  ],\n  \"c\" : {}\n}\n");
}

TEST(ToveraJson, Utf8InputAndFragments) {
    EXPECT_EQ(runTool("--utf8 --fragment", "\"中文\"").out, "\"中文\"\n");
    const ToolRun notContainer = runTool("--utf8", "\"中文\"");
    EXPECT_EQ(notContainer.status, 1);
    EXPECT_EQ(notContainer.out, "error 4: Valid fragment, but not JSON\n");
}

TEST(ToveraJson, FailuresNameTheLastRecord) {
    const ToolRun broken = runTool("", "{\"a\":[1");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out, "error 3: Object value expected for key: a\n");
    const ToolRun notGb18030 = runTool("", "[\"\xFF\"]");
    EXPECT_EQ(notGb18030.status, 1);
    EXPECT_EQ(notGb18030.out, "error 12: Input was 'nil'\n");
}
