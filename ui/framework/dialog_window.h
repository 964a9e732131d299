// A dialog window as the dialog classes see it: controls addressed by id, message boxes,
// and the end of the modal run. Each platform's dialog system provides it: real windows
// on Windows, our own dialog manager elsewhere.
#pragma once
#include <string>
#include <vector>

#include "ui/framework/list_control.h"

class CDialog;

// Message box types and answers, with Windows' values.
namespace mb {
constexpr unsigned kOk = 0x00;
constexpr unsigned kYesNo = 0x04;
constexpr unsigned kIconExclamation = 0x30;
constexpr int kIdOk = 1;
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
