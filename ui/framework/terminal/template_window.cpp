// Control state of one of our dialog manager's windows, kept as Windows' controls keep theirs.
#include "ui/framework/terminal/template_window.h"

#include "platform/cp932.h"

namespace {
constexpr std::uint32_t kTabStop = 0x00010000;     // WS_TABSTOP
constexpr std::uint32_t kButtonTypeMask = 0x000F;  // BS_TYPEMASK
constexpr std::uint32_t kPushButton = 0x0000;      // BS_PUSHBUTTON
constexpr std::uint32_t kDefaultButton = 0x0001;   // BS_DEFPUSHBUTTON
constexpr std::uint32_t kGroupBox = 0x0007;        // BS_GROUPBOX
constexpr std::uint32_t kSortedListBox = 0x0002;   // LBS_SORT
constexpr std::uint32_t kSortedComboBox = 0x0100;  // CBS_SORT

bool IsButtonOf(const ControlTemplate& c, std::uint32_t type) {
    return c.windowClass == control_class::kButton && (c.style & kButtonTypeMask) == type;
}

// Cuts to at most `bytes` bytes without splitting a double-byte character.
std::string CutToBytes(const std::string& text, int bytes) {
    size_t end = 0;
    while (end < text.size() && end + cp932::CharLength(text, end) <= static_cast<size_t>(bytes))
        end += cp932::CharLength(text, end);
    return text.substr(0, end);
}
}  // namespace

bool IsEdit(const ControlTemplate& c) { return c.windowClass == control_class::kEdit; }
bool IsList(const ControlTemplate& c) {
    return c.windowClass == control_class::kListBox || c.windowClass == control_class::kComboBox;
}
bool IsSortedList(const ControlTemplate& c) {
    if (c.windowClass == control_class::kListBox) return c.style & kSortedListBox;
    return c.windowClass == control_class::kComboBox && (c.style & kSortedComboBox);
}
bool IsPushButton(const ControlTemplate& c) { return IsButtonOf(c, kPushButton) || IsDefaultButton(c); }
bool IsDefaultButton(const ControlTemplate& c) { return IsButtonOf(c, kDefaultButton); }
bool IsGroupBox(const ControlTemplate& c) { return IsButtonOf(c, kGroupBox); }

TemplateWindow::TemplateWindow(const DialogTemplate& source, MessageBoxFn messageBox)
    : source_(source), messageBox_(std::move(messageBox)) {
    for (const ControlTemplate& control : source.controls)
        controls_.push_back({&control, IsList(control) ? std::string() : control.text,
                             ListModel(IsSortedList(control))});
}

ListControl& TemplateWindow::List(int id) {
    TemplateControl* c = Find(id);
    if (c && IsList(*c->source)) return c->list;
    none_.Clear();
    return none_;
}

void TemplateWindow::SetItemText(int id, const std::string& text) {
    // Like WM_SETTEXT, this is not bound by the typing limit.
    if (TemplateControl* c = Find(id)) c->text = text;
}

std::string TemplateWindow::GetItemText(int id) {
    TemplateControl* c = Find(id);
    return c ? c->text : std::string();
}

void TemplateWindow::LimitText(int id, int bytes) {
    if (TemplateControl* c = Find(id)) c->limit = bytes;
}

void TemplateWindow::EndDialog(int result) {
    ended_ = true;
    result_ = result;
}

void TemplateWindow::TypeText(const std::string& text) {
    TemplateControl* edit = FirstOf(IsEdit);
    if (!edit) return;
    edit->text = CutToBytes(text, edit->limit);
    focus_ = static_cast<int>(edit - controls_.data());
}

void TemplateWindow::SelectItem(int index) {
    TemplateControl* list = FirstOf(IsList);
    if (!list) return;
    list->list.Select(index);
    focus_ = static_cast<int>(list - controls_.data());
}

void TemplateWindow::MoveFocus() {
    int n = static_cast<int>(controls_.size());
    for (int step = 1; step <= n; ++step) {
        int next = (focus_ + step) % n;
        if (controls_[static_cast<size_t>(next)].source->style & kTabStop) {
            focus_ = next;
            return;
        }
    }
}

int TemplateWindow::EnterTarget() const {
    if (focus_ >= 0 && IsPushButton(*controls_[static_cast<size_t>(focus_)].source))
        return controls_[static_cast<size_t>(focus_)].source->id;
    for (const TemplateControl& control : controls_)
        if (IsDefaultButton(*control.source)) return control.source->id;
    return kIdOk;
}
