// The dialog framework: the modal dialog base, bound to a template by id, with data exchange
// in both directions; the dialog window it sees, with controls addressed by id, message boxes
// and the end of the modal run; and the dialog system that runs it, each platform's own: real
// windows on Windows, our own dialog manager elsewhere. Dialog subclasses stay thin: their
// logic lives in operations that never see a window.
#pragma once
#include <string>
#include <vector>

#include "platform/failure.h"

// The list controls as the windows' logic sees them: an ordered list of texts with at most
// one selected entry. The dialogs hand their real controls in; tests hand in a plain one.
class ListControl {
public:
    virtual ~ListControl() = default;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    virtual std::string Text(int index) const = 0;
    // Appends at the end of an unsorted list, at its sorted place in a sorted one; the index.
    virtual int Add(const std::string& text) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    // Deleting the selected entry leaves none selected.
    virtual void Delete(int index) = 0;
    // An index outside the list selects nothing.
    virtual void Select(int index) = 0;
    // -1 when nothing is selected.
    virtual int Selected() const = 0;

    // Every entry's text, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (int i = 0, n = Count(); i < n; ++i) texts.push_back(Text(i));
        return texts;
    }
};

// Message box types and answers, with Windows' values.
namespace mb {
constexpr unsigned kOk = 0x00;
constexpr unsigned kYesNo = 0x04;
constexpr unsigned kIconExclamation = 0x30;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
}  // namespace mb

class DialogWindow {
public:
    virtual ~DialogWindow() = default;

    // The combo box or list box of that id, alive as long as the window.
    virtual ListControl& List(int id) = 0;

    // Edit fields.
    virtual void SetItemText(int id, const std::string& text) = 0;
    virtual std::string GetItemText(int id) = 0;
    // The field takes at most this many bytes.
    virtual void LimitText(int id, int bytes) = 0;

    // Icon resource shown in the caption, the taskbar and when minimised.
    virtual void SetIcon(int iconId) = 0;
    // A message box owned by this window; the answer's id.
    virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned type) = 0;
    // Ends the modal run with this result once the current message has been handled.
    virtual void EndDialog(int result) = 0;
};

// One pass of data exchange between a dialog's fields and its controls. Once a check has
// failed, the rest of the pass does nothing.
class DataExchange {
public:
    DataExchange(DialogWindow& window, bool save) : window_(window), save_(save) {}
    bool Failed() const { return failed_; }

    // The selection of a combo box or list box.
    void Selection(int id, int& index);
    void Text(int id, std::string& text);
    // Reading: refuses a text over `bytes` bytes with the length message; writing: limits
    // the field to `bytes`.
    void MaxBytes(int id, const std::string& text, int bytes);

private:
    DialogWindow& window_;
    bool save_;
    bool failed_ = false;
};

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
    void EndDialog(int result) { window_->EndDialog(result); }
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

// Runs dialogs modally on the platform's windows.
class DialogSystem {
public:
    virtual ~DialogSystem() = default;
    // Creates the window from the template, disables the owner while it runs, and returns
    // the result passed to EndDialog (IDCANCEL when the window could not be made).
    virtual int RunModal(CDialog& dialog, int templateId, CDialog* owner) = 0;
    // The application title: the executable's file name without its extension.
    virtual std::string ApplicationTitle() = 0;
    // The program's text of that string resource id, code page 932; empty when absent.
    virtual std::string LoadText(int id) = 0;
    // A message box owned by no window, for a run that has none open; the answer's id.
    virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned type) = 0;
    // Gives every later dialog the 3-D look where the platform offers it.
    virtual void EnableThreeDLook() {}
};

// The platform's own dialog system.
DialogSystem& SystemDialogs();
// The one windows run on: the platform's, unless a test put another in place (null puts
// the platform's back).
DialogSystem& Dialogs();
void UseDialogs(DialogSystem* system);
// The text of that string id with "%1", "%2"... replaced by the inserts, in order.
std::string LoadText(int id, const std::vector<std::string>& inserts = {});
// A message box of the application's title with the exclamation icon and OK, owned by
// `owner`, or by no window when it is null.
void Warn(DialogWindow* owner, const std::string& text);
// The same with Yes and No; true for Yes.
bool Ask(DialogWindow* owner, const std::string& text);
// A failure said as Warn says it: what stood in the way, then the line of the string id
// `notDoneId` (0 for none). Nothing is shown for no failure.
void SayFailure(const Failure& failure, int notDoneId, DialogWindow* owner = nullptr);
