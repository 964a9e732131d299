// The modal dialog base: bound to a template by id, with data exchange in both directions,
// and the handlers the dialog system calls. Subclasses stay thin: their logic lives in
// operations that never see a window.
#pragma once
#include "ui/framework/dialog_window.h"

class DataExchange;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// The keys a dialog may see before the dialog manager does.
enum class Key { Enter, Escape, Tab, Other };

class CDialog {
public:
    CDialog(int templateId, CDialog* owner = nullptr) : templateId_(templateId), owner_(owner) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int DoModal();
    // Reads the controls into the fields (save) or writes the fields to them; false when a
    // field check refused what was read.
    bool UpdateData(bool save);
    void EndDialog(int result);
    DialogWindow& Window() { return *window_; }

    // Called by the dialog system.
    void Attach(DialogWindow* window) { window_ = window; }
    virtual bool OnInitDialog();
    // A button's click; ids 1 and 2 are OK and Cancel.
    virtual void OnCommand(int id);
    // True when the key was consumed and must go no further.
    virtual bool PreTranslateKey(Key) { return false; }
    virtual void OnOK();

protected:
    virtual void DoDataExchange(DataExchange&) {}
    // A click of a button other than OK and Cancel.
    virtual void OnButton(int) {}

private:
    int templateId_;
    CDialog* owner_;
    DialogWindow* window_ = nullptr;
};
