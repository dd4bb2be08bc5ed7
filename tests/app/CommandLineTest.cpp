// The tovera command line: its own options in both forms, Qt's passed on.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

using tovera::app::CommandLine;

TEST(CommandLine, OwnOptionsAreTakenAndQtOptionsPassThrough) {
    const CommandLine line = CommandLine::parse(
        {"tovera", "-platform", "vnc", "--service", "http://10.0.0.2:8080", "--home=/tmp/h",
         "--scale", "1.5", "--location", "31.8, 117.2", "--tour=/tmp/t", "-style", "fusion",
         "--touch-keyboard", "--vnc-address", "10.0.0.5"});
    EXPECT_EQ(line.error, "");
    EXPECT_TRUE(line.touchKeyboard);
    EXPECT_EQ(line.vncAddress, "10.0.0.5");
    EXPECT_EQ(line.service, "http://10.0.0.2:8080");
    EXPECT_EQ(line.home, "/tmp/h");
    EXPECT_EQ(line.scale, 1.5);
    ASSERT_TRUE(line.location);
    EXPECT_DOUBLE_EQ(line.location->latitude, 31.8);
    EXPECT_DOUBLE_EQ(line.location->longitude, 117.2);
    EXPECT_EQ(line.tour, "/tmp/t");
    EXPECT_FALSE(line.help);
    EXPECT_EQ(line.qtArguments,
              (std::vector<std::string>{"tovera", "-platform", "vnc", "-style", "fusion"}));
}

TEST(CommandLine, TheStartScaleIsTheGivenOneElseTheKeptOneElseTwo) {
    const CommandLine given = CommandLine::parse({"tovera", "--scale", "1.5"});
    EXPECT_EQ(given.startScale(std::string("3")), 1.5);
    const CommandLine plain = CommandLine::parse({"tovera"});
    EXPECT_EQ(plain.startScale(std::string("2.5")), 2.5);
    EXPECT_EQ(plain.startScale(std::nullopt), 2);
    // A kept value that is no valid scale is passed over, not obeyed.
    for (const char* kept : {"", "abc", "0.1", "9", "nan", "2x", "-1"})
        EXPECT_EQ(plain.startScale(std::string(kept)), 2) << kept;
}

TEST(CommandLine, DefaultsAndHelp) {
    const CommandLine plain = CommandLine::parse({"tovera"});
    EXPECT_FALSE(plain.scale);
    EXPECT_FALSE(plain.touchKeyboard);
    EXPECT_EQ(plain.vncAddress, "127.0.0.1");
    EXPECT_FALSE(plain.service || plain.home || plain.location || plain.tour);
    EXPECT_EQ(plain.error, "");
    EXPECT_TRUE(CommandLine::parse({"tovera", "--help"}).help);
    EXPECT_TRUE(CommandLine::parse({"tovera", "-h"}).help);
}

TEST(CommandLine, MalformedValuesAreErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"tovera", "--scale", "0.1"},   {"tovera", "--scale=9"},
        {"tovera", "--scale", "2x"},    {"tovera", "--location", "91,10"},
        {"tovera", "--location=north"}, {"tovera", "--service"},
        {"tovera", "--home="},          {"tovera", "--tour"},
    };
    for (const auto& arguments : bad)
        EXPECT_NE(CommandLine::parse(arguments).error, "") << arguments.back();
}
