// Terminal presentation of our dialog manager's windows.
#include "ui/framework/terminal/terminal_dialogs.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace {
std::string Trimmed(const std::string& line) {
    size_t begin = line.find_first_not_of(" \t\r");
    size_t end = line.find_last_not_of(" \t\r");
    return begin == std::string::npos ? std::string() : line.substr(begin, end - begin + 1);
}
}  // namespace

TerminalDialogs::TerminalDialogs(std::istream& in, std::ostream& out, Conversion shown,
                                 Conversion typed, std::string applicationTitle)
    : in_(in), out_(out), shown_(std::move(shown)), typed_(std::move(typed)),
      title_(std::move(applicationTitle)) {}

int TerminalDialogs::RunModal(CDialog& dialog, int templateId, CDialog*) {
    const DialogTemplate* source = FindDialogTemplate(templateId);
    if (!source) return kIdCancel;
    // The owner cannot act while this window runs: this loop is the only one reading input.
    TemplateWindow window(*source, [this](const std::string& text, const std::string& caption,
                                        unsigned type) { return ShowMessage(text, caption, type); });
    dialog.Attach(&window);
    if (dialog.OnInitDialog()) window.MoveFocus();  // from no focus to the first tab stop
    while (!window.Ended()) {
        Render(window);
        if (!Act(dialog, window)) {
            dialog.OnCommand(kIdCancel);  // the close box
            if (!window.Ended()) window.EndDialog(kIdCancel);
        }
    }
    return window.Result();
}

void TerminalDialogs::Render(const TemplateWindow& window) {
    out_ << "\n== " << shown_(window.Source().caption) << " ==\n";
    std::vector<const TemplateControl*> order;
    for (const TemplateControl& control : window.Controls()) order.push_back(&control);
    // Reading order, top to bottom and left to right, as a person scans the window.
    std::stable_sort(order.begin(), order.end(), [](const TemplateControl* a, const TemplateControl* b) {
        return a->source->y != b->source->y ? a->source->y < b->source->y : a->source->x < b->source->x;
    });
    for (const TemplateControl* control : order) {
        const ControlTemplate& t = *control->source;
        if (IsPushButton(t)) continue;
        if (IsGroupBox(t)) {
            out_ << "[" << shown_(control->text) << "]\n";
        } else if (IsEdit(t)) {
            out_ << "  name: \"" << shown_(control->text) << "\"\n";
        } else if (IsList(t)) {
            const std::vector<std::string>& items = control->list.Items();
            if (items.empty()) out_ << "  (empty)\n";
            for (size_t i = 0; i < items.size(); ++i)
                out_ << (static_cast<int>(i) == control->list.Selected() ? "  * " : "    ") << i + 1
                     << ". " << shown_(items[i]) << "\n";
        } else {
            out_ << shown_(control->text) << "\n";
        }
    }
    char letter = 'a';
    for (const TemplateControl& control : window.Controls()) {
        if (!IsPushButton(*control.source)) continue;
        bool focused = window.Focus() == &control - window.Controls().data();
        out_ << " [" << letter++ << "] " << shown_(control.text)
             << (IsDefaultButton(*control.source) ? " (Enter)" : "") << (focused ? " <" : "") << " ";
    }
    out_ << "\n> " << std::flush;
}

bool TerminalDialogs::Act(CDialog& dialog, TemplateWindow& window) {
    std::string raw;
    if (!std::getline(in_, raw)) return false;
    std::string line = Trimmed(raw);
    if (line.empty() || line == "enter") {
        if (!dialog.PreTranslateKey(Key::Enter)) dialog.OnCommand(window.EnterTarget());
    } else if (line == "esc" || line == "escape") {
        if (!dialog.PreTranslateKey(Key::Escape)) dialog.OnCommand(kIdCancel);
    } else if (line == "tab") {
        if (!dialog.PreTranslateKey(Key::Tab)) window.MoveFocus();
    } else if (line.rfind("type", 0) == 0 && (line.size() == 4 || line[4] == ' ')) {
        window.TypeText(typed_(line.size() > 5 ? raw.substr(raw.find("type") + 5) : std::string()));
    } else if (std::all_of(line.begin(), line.end(), ::isdigit) && line.size() < 9) {
        window.SelectItem(std::stoi(line) - 1);
    } else if (line.size() == 1 && line[0] >= 'a' && line[0] <= 'z') {
        int wanted = line[0] - 'a';  // letters run over the push buttons in template order
        for (const TemplateControl& control : window.Controls())
            if (IsPushButton(*control.source) && wanted-- == 0) dialog.OnCommand(control.source->id);
    } else {
        out_ << "? " << line << "\n";
    }
    return true;
}

int TerminalDialogs::ShowMessage(const std::string& text, const std::string& caption, unsigned type) {
    out_ << "\n-- " << shown_(caption) << " --\n" << shown_(text) << "\n";
    bool yesNo = (type & 0x0F) == mb::kYesNo;
    out_ << (yesNo ? " [y] yes  [n] no\n> " : " [Enter] OK\n> ") << std::flush;
    std::string line;
    bool answered = static_cast<bool>(std::getline(in_, line));
    if (!yesNo) return kIdOk;
    line = Trimmed(line);
    return answered && (line == "y" || line == "yes") ? mb::kIdYes : mb::kIdNo;
}
