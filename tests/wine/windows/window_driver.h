// Acting on another program's dialogs from outside, as a person at the keyboard and mouse
// would: find a window by its caption, select, type, click, press keys, answer a message box.
// Every wait polls for what the action should bring about, within a generous limit.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/patience.h"

// How long an action may take to show its effect: generous, for a loaded or emulating
// machine; only a failing test waits this long.
const DWORD kPatienceMs = 20000 * PatienceFactor();

// A program started in the current directory; killed if still running when it goes.
class Program {
public:
    explicit Program(const std::string& path, const std::vector<std::string>& arguments = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }
    // The exit code once it has ended within the limit, else nothing.
    std::optional<DWORD> WaitForExit(DWORD milliseconds = kPatienceMs);

private:
    PROCESS_INFORMATION process_ = {};
};

// Polls `condition` until it holds or the limit passes; whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kPatienceMs);

// The visible top-level dialog of that process with exactly this caption (code page 932).
HWND FindDialog(DWORD processId, const std::string& caption);
HWND WaitForDialog(DWORD processId, const std::string& caption);
// How many top-level dialogs of that process show this caption.
int CountDialogs(DWORD processId, const std::string& caption);
// The message box that `owner` has opened, once it is there.
HWND WaitForMessageBox(HWND owner);
std::string MessageBoxText(HWND box);

std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
// Entries and selection of a combo box or list box.
std::vector<std::string> Entries(HWND dialog, int id);
int Selection(HWND dialog, int id);

// A choice in a drop-down list or a list box, with the notification the control sends.
void ChooseInCombo(HWND dialog, int id, int index);
void ChooseInList(HWND dialog, int id, int index);
// Replaces the field's text. Like pasting, this is not held to the field's text limit.
void TypeInto(HWND dialog, int id, const std::string& text);
// Characters typed one by one into the field, held to its text limit; they are queued
// behind everything posted to the program before.
void TypeKeys(HWND dialog, int id, const std::string& text);
// A click that returns once the program has handled it: only for buttons that open no
// window of their own.
void Click(HWND dialog, int id);
// A click queued to the program, for buttons that open a modal window.
void PostClick(HWND dialog, int id);
// The window's close box clicked, queued to the program.
void PressCloseBox(HWND window);
// A key pressed and released where the keyboard focus of that window's thread is, queued
// like real input so that the program's message loop sees it first.
void PressKey(HWND window, WORD virtualKey);
// The control that has the keyboard focus in that window's thread.
HWND FocusOf(HWND window);
// The icon a window answers with when the system would drag it minimised, and the small
// icon it shows in its caption.
LRESULT DragIcon(HWND window);
LRESULT SmallIcon(HWND window);
