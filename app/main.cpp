// The tovera program: the phone client in a desktop window.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Program.h"

int main(int argc, char** argv) {
    using tovera::app::CommandLine;
    const CommandLine line = CommandLine::parse(argc, argv);
    if (line.help) {
        std::fputs(CommandLine::usage().c_str(), stdout);
        return 0;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "tovera: %s\n\n%s", line.error.c_str(), CommandLine::usage().c_str());
        return 2;
    }
    return tovera::app::runProgram(line);
}
