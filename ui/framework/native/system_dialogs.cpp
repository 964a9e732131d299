// Off Windows the windows are shown in the terminal the program runs in.
#include <langinfo.h>

#include <cerrno>
#include <iostream>

#include "platform/posix/encoding.h"
#include "ui/framework/native/terminal_dialogs.h"

DialogSystem& SystemDialogs() {
    static TerminalDialogs dialogs = [] {
        static std::string terminal = nl_langinfo(CODESET);
        if (terminal == "ANSI_X3.4-1968") terminal = "UTF-8";
        auto shown = [](const std::string& cp932) {
            if (auto text = encoding::Convert(cp932, "CP932", terminal.c_str())) return *text;
            std::string replaced;  // what the terminal cannot show becomes "?"
            for (unsigned char c : cp932) replaced += c < 0x80 ? static_cast<char>(c) : '?';
            return replaced;
        };
        auto typed = [](const std::string& line) {
            auto text = encoding::Convert(line, terminal.c_str(), "CP932");
            return text ? *text : line;
        };
        std::string title = program_invocation_short_name;
        return TerminalDialogs(std::cin, std::cout, shown, typed, title.substr(0, title.rfind('.')));
    }();
    return dialogs;
}
