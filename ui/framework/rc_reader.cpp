// The resource-script reader: tokens with their line numbers, #define symbols, and a
// recursive descent over the dialog statements; every other resource is stepped over.
#include "ui/framework/rc_reader.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <utility>

#include "ui/framework/window_styles.h"

namespace {

enum class TokenKind { Word, Number, String, Punct };

struct Token {
    TokenKind kind;
    std::string text;  // a string's bytes without its quotes
    int line;
};

using Symbols = std::map<std::string, std::uint32_t>;

[[noreturn]] void Fail(int line, const std::string& what) {
    throw std::runtime_error("line " + std::to_string(line) + ": " + what);
}

bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordChar(char c) { return IsWordStart(c) || IsDigit(c); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// A preprocessor line, joined with the lines its trailing backslashes continue into.
std::string DirectiveBody(const std::string& text, std::size_t& i, int& line) {
    std::string body;
    while (i < text.size() && text[i] != '\n') {
        if (text[i] == '\\') {
            std::size_t next = i + 1;
            if (next < text.size() && text[next] == '\r') ++next;
            if (next < text.size() && text[next] == '\n') {
                ++line;
                i = next + 1;
                body += ' ';
                continue;
            }
        }
        body += text[i++];
    }
    return body;
}

// Splits `text` into tokens. Preprocessor lines, without their '#', go to `directives`, or
// are tokens like the rest when it is null (the value of a #define). `lines` gets the number
// of the last line, not counting the empty one after a final line break.
std::vector<Token> Tokenize(const std::string& text, std::vector<std::string>* directives,
                            int* lines = nullptr) {
    std::vector<Token> tokens;
    int line = 1;
    bool lineStart = true;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
            lineStart = true;
            ++i;
        } else if (IsBlank(c)) {
            ++i;
        } else if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\n') ++i;
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            std::size_t end = text.find("*/", i + 2);
            if (end == std::string::npos) Fail(line, "a comment without its end");
            line += static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(i),
                                                text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
            i = end + 2;
        } else if (c == '#' && lineStart && directives) {
            ++i;
            directives->push_back(DirectiveBody(text, i, line));
        } else {
            lineStart = false;
            std::size_t start = i;
            if (c == '"' || (c == 'L' && i + 1 < n && text[i + 1] == '"')) {
                if (c == 'L') ++i;
                std::string bytes;
                // Only "" is an escape: a CP932 trail byte may be 0x5C, a backslash.
                for (++i;; ++i) {
                    if (i >= n || text[i] == '\n') Fail(line, "a string without its closing quote");
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            bytes += '"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    bytes += text[i];
                }
                ++i;
                tokens.push_back({TokenKind::String, std::move(bytes), line});
            } else if (IsWordChar(c)) {
                while (i < n && IsWordChar(text[i])) ++i;
                tokens.push_back({IsDigit(c) ? TokenKind::Number : TokenKind::Word,
                                  text.substr(start, i - start), line});
            } else {
                tokens.push_back({TokenKind::Punct, std::string(1, c), line});
                ++i;
            }
        }
    }
    if (lines) *lines = n > 0 && text[n - 1] == '\n' ? line - 1 : line;
    return tokens;
}

// Decimal or 0x hexadecimal, with C's L and U suffixes; wraps at 32 bits.
std::uint32_t NumberValue(const Token& token) {
    const std::string& s = token.text;
    std::uint32_t value = 0;
    std::size_t i = 0;
    bool digits = false;
    if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        for (i = 2; i < s.size(); ++i) {
            char c = s[i];
            std::uint32_t digit;
            if (IsDigit(c))
                digit = static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = static_cast<std::uint32_t>(c - 'A' + 10);
            else
                break;
            value = value * 16u + digit;
            digits = true;
        }
    } else {
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            value = value * 10u + static_cast<std::uint32_t>(s[i] - '0');
            digits = true;
        }
    }
    for (; i < s.size(); ++i)
        if (s[i] != 'L' && s[i] != 'l' && s[i] != 'U' && s[i] != 'u') digits = false;
    if (!digits) Fail(token.line, "'" + s + "' is not a number");
    return value;
}

int ToInt(std::uint32_t v) {
    return v <= 0x7FFFFFFFu ? static_cast<int>(v) : -static_cast<int>(~v) - 1;
}

std::string Describe(const Token& token) {
    switch (token.kind) {
        case TokenKind::String:
            return "a string";
        case TokenKind::Punct: {
            unsigned char c = static_cast<unsigned char>(token.text[0]);
            if (c > 0x20 && c < 0x7F) return "'" + token.text + "'";
            static const char kHex[] = "0123456789ABCDEF";
            return std::string("byte 0x") + kHex[c >> 4] + kHex[c & 15];
        }
        default:
            return "'" + token.text + "'";
    }
}

using namespace style;

constexpr std::uint32_t kShown = kChild | kVisible;

// The control statements, with the styles they imply when none are written and the ones
// written styles apply to, as GNU windres builds them: a written style drops the WS_GROUP
// of the texts, the WS_TABSTOP of radio and three-state buttons, and all of a combo box's.
struct Statement {
    const char* keyword;
    bool hasText;
    const char* windowClass;
    std::uint32_t unwritten;
    std::uint32_t written;
};

const Statement kStatements[] = {
    {"PUSHBUTTON", true, "BUTTON", button::kPushButton | kTabStop, button::kPushButton | kTabStop},
    {"DEFPUSHBUTTON", true, "BUTTON", button::kDefPushButton | kTabStop,
     button::kDefPushButton | kTabStop},
    {"CHECKBOX", true, "BUTTON", button::kCheckBox | kTabStop, button::kCheckBox | kTabStop},
    {"AUTOCHECKBOX", true, "BUTTON", button::kAutoCheckBox | kTabStop,
     button::kAutoCheckBox | kTabStop},
    {"RADIOBUTTON", true, "BUTTON", button::kRadioButton | kTabStop, button::kRadioButton},
    {"AUTORADIOBUTTON", true, "BUTTON", button::kAutoRadioButton | kTabStop,
     button::kAutoRadioButton},
    {"STATE3", true, "BUTTON", button::k3State | kTabStop, button::k3State},
    {"AUTO3STATE", true, "BUTTON", button::kAuto3State | kTabStop, button::kAuto3State},
    {"GROUPBOX", true, "BUTTON", button::kGroupBox, button::kGroupBox},
    {"LTEXT", true, "STATIC", label::kLeft | kGroup, label::kLeft},
    {"CTEXT", true, "STATIC", label::kCenter | kGroup, label::kCenter},
    {"RTEXT", true, "STATIC", label::kRight | kGroup, label::kRight},
    {"EDITTEXT", false, "EDIT", edit::kLeft | kBorder | kTabStop, edit::kLeft | kBorder | kTabStop},
    {"LISTBOX", false, "LISTBOX", listbox::kNotify | kBorder, listbox::kNotify | kBorder},
    {"COMBOBOX", false, "COMBOBOX", combo::kSimple | kTabStop, 0},
    {"SCROLLBAR", false, "SCROLLBAR", 0, 0},
};

// Class names are matched without regard to case; windres stores them in capitals.
std::string ClassName(std::string written) {
    for (char& c : written)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return written;
}

bool IsOneOf(const std::string& word, std::initializer_list<const char*> words) {
    return std::any_of(words.begin(), words.end(), [&](const char* w) { return word == w; });
}

class Parser {
public:
    Parser(std::vector<Token> tokens, const Symbols& symbols, int lastLine)
        : tokens_(std::move(tokens)), symbols_(symbols), lastLine_(lastLine) {}

    std::vector<DialogTemplate> Resources() {
        std::vector<DialogTemplate> dialogs;
        while (pos_ < tokens_.size()) {
            const Token& first = tokens_[pos_++];
            if (first.kind == TokenKind::Word &&
                IsOneOf(first.text, {"LANGUAGE", "VERSION", "CHARACTERISTICS"})) {
                SkipRestOfLine(first.line);
                continue;
            }
            if (first.kind == TokenKind::Word && first.text == "STRINGTABLE") {
                SkipResourceBody(first.line);
                continue;
            }
            if (first.kind == TokenKind::Punct)
                Fail(first.line, "a resource cannot start with " + Describe(first));
            const Token& type = Next("a resource type");
            if (type.kind == TokenKind::Word && (type.text == "DIALOG" || type.text == "DIALOGEX")) {
                dialogs.push_back(Dialog(DialogId(first), type.text == "DIALOGEX"));
            } else if (type.kind == TokenKind::Word || type.kind == TokenKind::Number) {
                SkipResourceBody(type.line);
            } else {
                Fail(type.line, "expected a resource type, found " + Describe(type));
            }
        }
        return dialogs;
    }

    // The whole token list as one number: a #define's value.
    std::uint32_t WholeNumber() {
        std::uint32_t value = Number();
        if (pos_ != tokens_.size()) Fail(tokens_[pos_].line, "more after a number");
        return value;
    }

private:
    static constexpr int kMaxNesting = 100;  // deeper input is garbage, not a stack overflow

    const Token* Peek() const { return pos_ < tokens_.size() ? &tokens_[pos_] : nullptr; }

    const Token& Next(const std::string& expected) {
        if (pos_ >= tokens_.size()) Fail(lastLine_, "expected " + expected + ", found the end");
        return tokens_[pos_++];
    }

    static bool IsPunct(const Token& t, char c) {
        return t.kind == TokenKind::Punct && t.text[0] == c;
    }
    static bool IsWord(const Token& t, const char* word) {
        return t.kind == TokenKind::Word && t.text == word;
    }
    static bool OpensBlock(const Token& t) { return IsWord(t, "BEGIN") || IsPunct(t, '{'); }
    static bool ClosesBlock(const Token& t) { return IsWord(t, "END") || IsPunct(t, '}'); }

    bool Accept(char c) {
        const Token* t = Peek();
        if (!t || !IsPunct(*t, c)) return false;
        ++pos_;
        return true;
    }

    void Expect(char c) {
        const Token& t = Next(std::string("'") + c + "'");
        if (!IsPunct(t, c)) Fail(t.line, std::string("expected '") + c + "', found " + Describe(t));
    }

    std::string ExpectString(const char* what) {
        const Token& t = Next(what);
        if (t.kind != TokenKind::String) Fail(t.line, std::string("expected ") + what + ", found " + Describe(t));
        return t.text;
    }

    std::uint32_t Symbol(const Token& t) const {
        auto found = symbols_.find(t.text);
        if (found == symbols_.end()) Fail(t.line, "'" + t.text + "' is not defined");
        return found->second;
    }

    // Numbers, with C's precedence over the operators windres takes.
    std::uint32_t Number(int depth = 0) {
        std::uint32_t v = Xor(depth);
        while (Accept('|')) v |= Xor(depth);
        return v;
    }
    std::uint32_t Xor(int depth) {
        std::uint32_t v = And(depth);
        while (Accept('^')) v ^= And(depth);
        return v;
    }
    std::uint32_t And(int depth) {
        std::uint32_t v = Sum(depth);
        while (Accept('&')) v &= Sum(depth);
        return v;
    }
    std::uint32_t Sum(int depth) {
        std::uint32_t v = Unary(depth);
        for (;;) {
            if (Accept('+'))
                v += Unary(depth);
            else if (Accept('-'))
                v -= Unary(depth);
            else
                return v;
        }
    }
    std::uint32_t Unary(int depth) {
        const Token& t = Next("a number");
        if (depth > kMaxNesting) Fail(t.line, "an expression nested too deeply");
        if (IsPunct(t, '-')) return 0u - Unary(depth + 1);
        if (IsPunct(t, '~')) return ~Unary(depth + 1);
        --pos_;
        return Operand(depth);
    }
    // What a style expression takes between its "|"s: no bare arithmetic.
    std::uint32_t Operand(int depth) {
        const Token& t = Next("a number");
        if (t.kind == TokenKind::Number) return NumberValue(t);
        if (t.kind == TokenKind::Word) return Symbol(t);
        if (IsPunct(t, '(')) {
            if (depth > kMaxNesting) Fail(t.line, "an expression nested too deeply");
            std::uint32_t v = Number(depth + 1);
            Expect(')');
            return v;
        }
        Fail(t.line, "expected a number, found " + Describe(t));
    }

    // Written styles applied in order to `s`: "|" adds, NOT takes away.
    std::uint32_t Style(std::uint32_t s) {
        do {
            const Token* t = Peek();
            bool remove = t && IsWord(*t, "NOT");
            if (remove) ++pos_;
            std::uint32_t v = Operand(0);
            s = remove ? (s & ~v) : (s | v);
        } while (Accept('|'));
        return s;
    }

    int DialogId(const Token& name) const {
        if (name.kind == TokenKind::Number) return ToInt(NumberValue(name));
        if (name.kind == TokenKind::Word) return ToInt(Symbol(name));
        Fail(name.line, "a dialog's name must be a number");
    }

    void SkipRestOfLine(int line) {
        while (pos_ < tokens_.size() && tokens_[pos_].line == line) ++pos_;
    }

    void SkipBlock() {
        int opened = tokens_[pos_].line;
        int depth = 0;
        while (pos_ < tokens_.size()) {
            const Token& t = tokens_[pos_++];
            if (OpensBlock(t))
                ++depth;
            else if (ClosesBlock(t) && --depth == 0)
                return;
        }
        Fail(lastLine_, "no END for the BEGIN of line " + std::to_string(opened));
    }

    // A resource other than a dialog: the rest of its first line, then its optional
    // statements (each on a line of its own) and its block, when it has them.
    void SkipResourceBody(int line) {
        while (pos_ < tokens_.size() && tokens_[pos_].line == line && !OpensBlock(tokens_[pos_]))
            ++pos_;
        while (const Token* t = Peek()) {
            if (OpensBlock(*t)) {
                SkipBlock();
                return;
            }
            if (t->kind != TokenKind::Word ||
                !IsOneOf(t->text, {"CHARACTERISTICS", "LANGUAGE", "VERSION", "FILEVERSION",
                                   "PRODUCTVERSION", "FILEFLAGSMASK", "FILEFLAGS", "FILEOS",
                                   "FILETYPE", "FILESUBTYPE"}))
                return;
            ++pos_;
            SkipRestOfLine(t->line);
        }
    }

    void Rectangle(int& x, int& y, int& width, int& height) {
        x = ToInt(Number());
        Expect(',');
        y = ToInt(Number());
        Expect(',');
        width = ToInt(Number());
        Expect(',');
        height = ToInt(Number());
    }

    DialogTemplate Dialog(int id, bool extended) {
        DialogTemplate d{id, extended, "", 0, 0, 0, 0, "", 0, 0, 0, {}};
        while (const Token* t = Peek()) {
            if (t->kind != TokenKind::Word ||
                !IsOneOf(t->text, {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD",
                                   "LOADONCALL"}))
                break;
            ++pos_;
        }
        Rectangle(d.x, d.y, d.width, d.height);
        if (Accept(',')) Number();  // a DIALOGEX's help id
        // CAPTION and FONT add their styles wherever they stand; STYLE works on what is there.
        std::uint32_t s = 0;
        bool styled = false;
        for (;;) {
            const Token& t = Next("BEGIN");
            if (OpensBlock(t)) break;
            if (IsWord(t, "STYLE")) {
                s = Style(s);
                styled = true;
            } else if (IsWord(t, "EXSTYLE")) {
                d.exStyle = Number();
            } else if (IsWord(t, "CAPTION")) {
                d.caption = ExpectString("a caption");
                s |= kCaption;
            } else if (IsWord(t, "FONT")) {
                d.fontSize = ToInt(Number());
                Expect(',');
                d.fontName = ExpectString("a font name");
                for (int extra = 0; extra < 3 && Accept(','); ++extra) Number();  // weight, italic, charset
                s |= dialog::kSetFont;
            } else if (IsWord(t, "MENU") || IsWord(t, "CLASS")) {
                const Token& name = Next("a name");
                if (name.kind == TokenKind::Punct) Fail(name.line, "expected a name, found " + Describe(name));
            } else if (IsWord(t, "LANGUAGE")) {
                Number();
                Expect(',');
                Number();
            } else if (IsWord(t, "CHARACTERISTICS") || IsWord(t, "VERSION")) {
                Number();
            } else {
                Fail(t.line, "unexpected " + Describe(t) + " before a dialog's BEGIN");
            }
        }
        if (!styled) s |= kPopup | kBorder | kSysMenu;
        d.style = s;
        if (!(s & dialog::kSetFont)) {  // the template then has no room for a font
            d.fontName.clear();
            d.fontSize = 0;
        }
        for (;;) {
            const Token& t = Next("END");
            if (ClosesBlock(t)) break;
            d.controls.push_back(Control(t));
        }
        return d;
    }

    ControlTemplate Control(const Token& keyword) {
        ControlTemplate c{0, keyword.text, "", 0, 0, 0, 0, 0, 0, ""};
        if (IsWord(keyword, "CONTROL")) {
            c.text = ExpectString("a control's text");
            Expect(',');
            c.id = ToInt(Number());
            Expect(',');
            c.windowClass = ClassName(ExpectString("a window class"));
            Expect(',');
            c.style = Style(kShown);
            Expect(',');
            Rectangle(c.x, c.y, c.width, c.height);
        } else {
            const Statement* statement = nullptr;
            if (keyword.kind == TokenKind::Word)
                for (const Statement& s : kStatements)
                    if (keyword.text == s.keyword) statement = &s;
            if (!statement) Fail(keyword.line, "unexpected " + Describe(keyword) + " among controls");
            c.windowClass = statement->windowClass;
            if (statement->hasText) {
                c.text = ExpectString("a control's text");
                Expect(',');
            }
            c.id = ToInt(Number());
            Expect(',');
            Rectangle(c.x, c.y, c.width, c.height);
            c.style = Accept(',') ? Style(statement->written | kShown) : statement->unwritten | kShown;
        }
        if (Accept(',')) {
            c.exStyle = Number();
            if (Accept(',')) Number();  // help id
        }
        if (const Token* t = Peek(); t && OpensBlock(*t)) SkipBlock();  // a DIALOGEX control's data
        return c;
    }

    std::vector<Token> tokens_;
    const Symbols& symbols_;
    int lastLine_;
    std::size_t pos_ = 0;
};

void Define(const std::string& body, Symbols& symbols) {
    std::size_t i = 0;
    auto blanks = [&] {
        while (i < body.size() && IsBlank(body[i])) ++i;
    };
    auto word = [&] {
        std::size_t start = i;
        if (i < body.size() && IsWordStart(body[i]))
            while (i < body.size() && IsWordChar(body[i])) ++i;
        return body.substr(start, i - start);
    };
    blanks();
    std::string directive = word();
    if (directive != "define" && directive != "undef") return;
    blanks();
    std::string name = word();
    if (name.empty()) return;
    if (directive == "undef") {
        symbols.erase(name);
        return;
    }
    if (i < body.size() && body[i] == '(') return;  // a macro with parameters
    try {
        std::vector<Token> tokens = Tokenize(body.substr(i), nullptr);
        if (tokens.empty()) return;  // an include guard, say
        std::uint32_t value = Parser(std::move(tokens), symbols, 1).WholeNumber();
        symbols[name] = value;
    } catch (const std::runtime_error&) {
        // Not a number: no resource script can use it as one.
    }
}

Symbols BuiltInSymbols() {
    Symbols symbols;
    for (const NamedStyle& named : kNames) symbols[named.name] = named.value;
    const std::pair<const char*, std::uint32_t> kIds[] = {
        {"IDOK", 1},    {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4},         {"IDIGNORE", 5},
        {"IDYES", 6},   {"IDNO", 7},     {"IDCLOSE", 8}, {"IDHELP", 9},          {"IDC_STATIC", 0xFFFFFFFFu},
    };
    for (const auto& [name, value] : kIds) symbols[name] = value;
    return symbols;
}

// The header's preprocessor lines only: whatever else it holds is C, not for us to read.
void DefineFromHeader(const std::string& text, Symbols& symbols) {
    std::size_t i = 0;
    int unused = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i < text.size() && text[i] == '#') {
            ++i;
            Define(DirectiveBody(text, i, unused), symbols);
        }
        while (i < text.size() && text[i] != '\n') ++i;
        if (i < text.size()) ++i;
    }
}

}  // namespace

std::vector<DialogTemplate> ReadDialogTemplates(const std::string& rcText,
                                                const std::string& headerText) {
    Symbols symbols = BuiltInSymbols();
    DefineFromHeader(headerText, symbols);
    std::vector<std::string> directives;
    int lines = 1;
    std::vector<Token> tokens = Tokenize(rcText, &directives, &lines);
    for (const std::string& directive : directives) Define(directive, symbols);
    return Parser(std::move(tokens), symbols, lines).Resources();
}

const DialogTemplate* FindDialogTemplate(const std::vector<DialogTemplate>& templates, int id) {
    auto found = std::find_if(templates.begin(), templates.end(),
                              [&](const DialogTemplate& t) { return t.id == id; });
    return found == templates.end() ? nullptr : &*found;
}

const ControlTemplate* FindControlTemplate(const DialogTemplate& dialog, int id) {
    auto found = std::find_if(dialog.controls.begin(), dialog.controls.end(),
                              [&](const ControlTemplate& c) { return c.id == id; });
    return found == dialog.controls.end() ? nullptr : &*found;
}
