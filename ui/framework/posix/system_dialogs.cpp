// Off Windows the windows are shown in the terminal the program runs in.
#include <cerrno>
#include <iostream>

#include "platform/posix/encoding.h"
#include "ui/framework/terminal/terminal_dialogs.h"

DialogSystem& SystemDialogs() {
    static TerminalDialogs dialogs = [] {
        auto shown = [](const std::string& cp932) {
            if (auto text = encoding::Convert(cp932, "CP932", encoding::TerminalEncoding())) return *text;
            std::string replaced;  // what the terminal cannot show becomes "?"
            for (unsigned char c : cp932) replaced += c < 0x80 ? static_cast<char>(c) : '?';
            return replaced;
        };
        // A typed character that code page 932 lacks arrives as "?", as in a Windows field.
        auto typed = [](const std::string& line) { return encoding::ToCodePage(line, encoding::TerminalEncoding()); };
        std::string title = program_invocation_short_name;
        return TerminalDialogs(std::cin, std::cout, shown, typed, title.substr(0, title.rfind('.')));
    }();
    return dialogs;
}
