// Reads the dialog templates of a resource script as windres builds them, so that our own
// dialog manager makes the same windows, with the same effective styles, as Windows does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ControlTemplate {
    int id;
    std::string kind;  // the statement, e.g. "DEFPUSHBUTTON", or "CONTROL"
    std::string text;  // code page 932 bytes as written, a doubled quote made one
    int x, y, width, height;
    // Effective: the statement's implicit styles and WS_CHILD | WS_VISIBLE, then the
    // written ones applied in order.
    std::uint32_t style;
    std::uint32_t exStyle;
    // "BUTTON", "STATIC", "EDIT", "LISTBOX", "COMBOBOX", "SCROLLBAR", or a CONTROL's class;
    // in capitals, as windres stores it.
    std::string windowClass = {};
};

struct DialogTemplate {
    int id;
    bool extended;  // DIALOGEX
    std::string caption;
    int x, y, width, height;
    std::string fontName;
    int fontSize;  // 0, and no name, without a FONT or when a STYLE took DS_SETFONT away
    std::uint32_t style;
    std::uint32_t exStyle;
    std::vector<ControlTemplate> controls;  // in the script's order, which is the tab order
};

// Every DIALOG and DIALOGEX of `rcText`. Names resolve through the #define lines of
// `headerText` and of the script, Windows' style names, IDOK to IDHELP and IDC_STATIC.
// Other resources, top-level statements and preprocessor lines are passed over; #if is not
// evaluated, so every #define counts.
//
// Numbers take + - & ^ | ~ and parentheses (not * / %). A style, as windres has it, is
// names, numbers or parenthesised numbers joined by "|", each of them after NOT if it is to
// be taken away. Backslashes in strings are kept as bytes, not read as escapes.
//
// Malformed input throws std::runtime_error, "line N: what", naming the script's line;
// nothing is returned then. Header lines that do not define a number are ignored.
std::vector<DialogTemplate> ReadDialogTemplates(const std::string& rcText,
                                                const std::string& headerText);

// nullptr when absent.
const DialogTemplate* FindDialogTemplate(const std::vector<DialogTemplate>& templates, int id);
// The first control with that id (IDC_STATIC repeats); nullptr when absent.
const ControlTemplate* FindControlTemplate(const DialogTemplate& dialog, int id);
