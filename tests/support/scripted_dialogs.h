// Windows run on our own dialog manager with a script for input, as a person would act on
// them; texts stay code page 932 both ways. While one lives, every dialog runs on it.
#pragma once
#include <sstream>
#include <string>

#include "ui/framework/terminal/terminal_dialogs.h"

// How many times `text` stands in what windows showed.
inline int Count(const std::string& shown, const std::string& text) {
    int n = 0;
    for (size_t at = shown.find(text); at != std::string::npos; at = shown.find(text, at + 1)) ++n;
    return n;
}

class ScriptedDialogs {
public:
    explicit ScriptedDialogs(const std::string& script)
        : input_(script), dialogs_(input_, output_, Same, Same, "zandry") {
        UseDialogs(&dialogs_);
    }
    ~ScriptedDialogs() { UseDialogs(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Everything the windows showed.
    std::string Shown() const { return output_.str(); }

private:
    static std::string Same(const std::string& text) { return text; }

    std::istringstream input_;
    std::ostringstream output_;
    TerminalDialogs dialogs_;
};
