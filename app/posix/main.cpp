// Native entry point: the command line arrives in the terminal's encoding and is handed to
// the core in code page 932.
#include <csignal>
#include <string>
#include <vector>

#include "app/zandry_app.h"
#include "platform/posix/encoding.h"

int main(int argc, char** argv) {
    // The windows write to standard output, which may be a pipe nobody reads any more: the
    // run goes on, and ends with 0 as every run does.
    std::signal(SIGPIPE, SIG_IGN);
    // Characters code page 932 lacks arrive as "?", as in the ANSI arguments of Windows.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    for (std::string& argument : arguments)
        if (!encoding::IsAscii(argument)) argument = encoding::ToCodePage(argument, encoding::TerminalEncoding());
    return CZandryApp(SystemPlatform(), arguments).Run();
}
