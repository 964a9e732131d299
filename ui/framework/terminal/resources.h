// The dialog templates and message texts of a compiled resource file (.res), and Zandry's own:
// windres compiles res/zandry.rc at build time and the bytes are embedded here, the same
// resources zandry.exe carries, so that our dialog manager makes the windows and says the
// messages Windows does.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Window class ordinals of a control template.
namespace control_class {
constexpr int kButton = 0x80;
constexpr int kEdit = 0x81;
constexpr int kStatic = 0x82;
constexpr int kListBox = 0x83;
constexpr int kComboBox = 0x85;
}  // namespace control_class

struct ControlTemplate {
    int id;
    int windowClass;   // a control_class ordinal; 0 for a class given by name
    std::string text;  // code page 932; empty when the template names a resource instead
    int x, y, width, height;
    std::uint32_t style;
};

struct DialogTemplate {
    int id;
    std::string caption;  // code page 932
    int x, y, width, height;
    std::uint32_t style, exStyle;
    std::string fontName;  // empty, and size 0, without DS_SETFONT
    int fontSize;
    std::vector<ControlTemplate> controls;  // in the template's order, which is the tab order
};

// The DIALOG and DIALOGEX resources of a .res file that have a number, in its order; other
// resources are passed over. Nullopt when the bytes are truncated or malformed.
std::optional<std::vector<DialogTemplate>> ReadDialogTemplates(const unsigned char* bytes,
                                                               std::size_t size);

// The STRINGTABLE texts of a .res file by id, in code page 932. Nullopt when the bytes are
// truncated or malformed.
std::optional<std::map<int, std::string>> ReadStringTable(const unsigned char* bytes, std::size_t size);

// res/zandry.rc as windres compiles it for zandry.exe, embedded at build time.
extern const unsigned char kZandryRes[];
extern const std::size_t kZandryResSize;

// Zandry's dialog of that resource id, from the embedded res/zandry.rc; nullptr when absent.
const DialogTemplate* FindDialogTemplate(int id);
// Zandry's text of that string id; empty when absent.
std::string FindText(int id);
