// Native entry point: the command line arrives in the terminal's encoding and is handed to
// the core in code page 932.
#include <langinfo.h>

#include <clocale>
#include <string>
#include <vector>

#include "app/zandry_app.h"
#include "platform/platform.h"
#include "platform/posix/encoding.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    // Without a locale the codeset reads as ASCII; names typed on such a terminal are
    // still far more likely UTF-8 than anything else.
    std::string terminal = nl_langinfo(CODESET);
    if (terminal == "ANSI_X3.4-1968") terminal = "UTF-8";
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        // An argument with no code page 932 spelling can name no pet; pass it on unchanged.
        auto converted = encoding::Convert(argv[i], terminal.c_str(), "CP932");
        arguments.push_back(converted ? *converted : std::string(argv[i]));
    }
    CZandryApp app(SystemPlatform(), arguments);
    return app.Run();
}
