// One dialog window of our own dialog manager: the controls of its template and their
// state, answering the same requests as a Windows dialog's controls.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/framework/terminal/resources.h"
#include "ui/framework/terminal/list_model.h"

struct TemplateControl {
    const ControlTemplate* source;
    std::string text;  // an edit field's or a label's text
    ListModel list;    // a list box's or combo box's entries
    int limit = 30000;  // bytes an edit field takes, Windows' default
};

class TemplateWindow final : public DialogWindow {
public:
    using MessageBoxFn = std::function<int(const std::string&, const std::string&, unsigned)>;

    TemplateWindow(const DialogTemplate& source, MessageBoxFn messageBox);

    // An id that names no list box or combo box gets a list that keeps nothing.
    ListControl& List(int id) override;
    void SetItemText(int id, const std::string& text) override;
    std::string GetItemText(int id) override;
    void LimitText(int id, int bytes) override;
    void SetIcon(int) override {}
    int ShowMessage(const std::string& text, const std::string& caption, unsigned type) override {
        return messageBox_(text, caption, type);
    }
    void EndDialog(int result) override;

    // What a person does to the window.
    void TypeText(const std::string& text);  // into the first edit field, cut at its limit
    void SelectItem(int index);              // in the first list or combo box
    void MoveFocus();                        // Tab; from no focus, to the first tab stop
    // The id that Enter clicks: the focused push button, else the default button.
    int EnterTarget() const;

    const DialogTemplate& Source() const { return source_; }
    const std::vector<TemplateControl>& Controls() const { return controls_; }
    int Focus() const { return focus_; }
    bool Ended() const { return ended_; }
    int Result() const { return result_; }

private:
    template <typename Match>
    TemplateControl* FirstOf(Match match) {
        for (TemplateControl& control : controls_)
            if (match(*control.source)) return &control;
        return nullptr;
    }
    TemplateControl* Find(int id) { return FirstOf([id](const ControlTemplate& c) { return c.id == id; }); }

    const DialogTemplate& source_;
    MessageBoxFn messageBox_;
    std::vector<TemplateControl> controls_;
    ListModel none_;
    int focus_ = -1;
    bool ended_ = false;
    int result_ = kIdCancel;
};

// What a control is, from its class and style, as Windows tells them apart.
bool IsEdit(const ControlTemplate& control);
bool IsList(const ControlTemplate& control);  // list box or combo box
bool IsSortedList(const ControlTemplate& control);
bool IsPushButton(const ControlTemplate& control);
bool IsDefaultButton(const ControlTemplate& control);
bool IsGroupBox(const ControlTemplate& control);
