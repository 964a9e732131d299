// Our dialog manager's windows shown in a terminal, one line of
// input per action. It reads lines the same way from a pipe, so scripts and tests drive it.
//
// Input: a number selects that entry of the list; "type TEXT" types into the name field;
// a button's letter presses it; an empty line or "enter" is Enter, "esc" is Escape, "tab"
// moves the focus; the end of input is the close box.
#pragma once
#include <functional>
#include <iosfwd>
#include <string>

#include "ui/framework/terminal/template_window.h"

class TerminalDialogs final : public DialogSystem {
public:
    // Converts text between code page 932 and the terminal's encoding.
    using Conversion = std::function<std::string(const std::string&)>;

    TerminalDialogs(std::istream& in, std::ostream& out, Conversion shown, Conversion typed,
                    std::string applicationTitle);

    int RunModal(CDialog& dialog, int templateId, CDialog* owner) override;
    std::string ApplicationTitle() override { return title_; }
    std::string LoadText(int id) override { return FindText(id); }
    int ShowMessage(const std::string& text, const std::string& caption, unsigned type) override;

private:
    void Render(const TemplateWindow& window);
    // Carries out one line of input; false at the end of input.
    bool Act(CDialog& dialog, TemplateWindow& window);
    std::istream& in_;
    std::ostream& out_;
    Conversion shown_;
    Conversion typed_;
    std::string title_;
};
