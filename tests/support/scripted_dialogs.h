// Windows run on our own dialog manager with a script for input, as a person would act on
// them; texts stay code page 932 both ways. While one lives, every dialog runs on it.
#pragma once
#include <sstream>
#include <string>

#include "ui/framework/terminal/terminal_dialogs.h"

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
