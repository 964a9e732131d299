// Native entry point: the command line arrives in the terminal's encoding and is handed to
// the core in code page 932.
#include <clocale>
#include <string>
#include <vector>

#include "app/zandry_app.h"
#include "platform/platform.h"
#include "platform/posix/encoding.h"

int main(int argc, char** argv) {
    // Only the terminal's codeset is wanted; the other categories cost a file each.
    std::setlocale(LC_CTYPE, "");
    // Characters code page 932 lacks arrive as "?", as in the ANSI arguments of Windows.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(encoding::ToCodePage(argv[i], encoding::TerminalEncoding()));
    CZandryApp app(SystemPlatform(), arguments);
    return app.Run();
}
