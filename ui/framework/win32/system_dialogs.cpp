// The dialog system on Windows: real dialogs from the resource templates, each run by a
// modal loop of our own, so that a dialog sees every keyboard message before the dialog
// manager does and its owner is enabled again before it is destroyed.
#include <windows.h>

#include <map>

#include "platform/cp932.h"
#include "platform/text.h"
#include "ui/framework/dialog_window.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

bool IsComboBox(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "ComboBox") == 0;
}

// A list box or combo box of a live dialog: the same requests, each kind's own messages.
class Win32List final : public ListControl {
public:
    Win32List(HWND dialog, int id) : control_(GetDlgItem(dialog, id)), combo_(IsComboBox(control_)) {}

    void Clear() override { Send(CB_RESETCONTENT, LB_RESETCONTENT, 0, 0); }
    int Count() const override { return static_cast<int>(Send(CB_GETCOUNT, LB_GETCOUNT, 0, 0)); }
    std::string Text(int index) const override {
        LRESULT length = Send(CB_GETLBTEXTLEN, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length <= 0) return {};
        std::string text(static_cast<size_t>(length) + 1, '\0');
        Send(CB_GETLBTEXT, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        return text.c_str();
    }
    int Add(const std::string& text) override {
        return static_cast<int>(Send(CB_ADDSTRING, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void Insert(int index, const std::string& text) override {
        Send(CB_INSERTSTRING, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Delete(int index) override { Send(CB_DELETESTRING, LB_DELETESTRING, static_cast<WPARAM>(index), 0); }
    void Select(int index) override { Send(CB_SETCURSEL, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    int Selected() const override { return static_cast<int>(Send(CB_GETCURSEL, LB_GETCURSEL, 0, 0)); }

private:
    LRESULT Send(UINT comboMessage, UINT listMessage, WPARAM w, LPARAM l) const {
        return SendMessageA(control_, combo_ ? comboMessage : listMessage, w, l);
    }
    HWND control_;
    bool combo_;
};

class Win32Window final : public DialogWindow {
public:
    explicit Win32Window(CDialog& running) : dialog(running) {}

    CDialog& dialog;
    HWND hwnd = nullptr;
    HICON smallIcon = nullptr;
    bool ended = false;
    int result = kIdCancel;

    ListControl& List(int id) override { return lists_.try_emplace(id, hwnd, id).first->second; }
    void SetItemText(int id, const std::string& text) override { SetDlgItemTextA(hwnd, id, text.c_str()); }
    std::string GetItemText(int id) override {
        HWND control = GetDlgItem(hwnd, id);
        std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
        return text.c_str();
    }
    void LimitText(int id, int bytes) override {
        SendDlgItemMessageA(hwnd, id, EM_LIMITTEXT, static_cast<WPARAM>(bytes), 0);
    }
    void SetIcon(int iconId) override {
        HICON large = LoadIconA(Instance(), MAKEINTRESOURCEA(iconId));
        smallIcon = static_cast<HICON>(
            LoadImageA(Instance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
        SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    }
    int ShowMessage(const std::string& text, const std::string& caption, unsigned type) override {
        return ::MessageBoxA(hwnd, text.c_str(), caption.c_str(), type);
    }
    void EndDialog(int value) override {
        ended = true;
        result = value;
        // The loop looks at `ended` only when GetMessage returns, which a message sent
        // from another thread (a click sent by another program) does not make it do.
        PostMessageA(hwnd, WM_NULL, 0, 0);
    }

private:
    std::map<int, Win32List> lists_;
};

void CentreOver(HWND window, HWND owner) {
    RECT area;
    if (owner)
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT own;
    GetWindowRect(window, &own);
    int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A minimised window shows its small icon centred by the large icon's metrics.
void PaintIconic(HWND hwnd, HICON icon) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(hwnd, &client);
    DrawIcon(dc, (client.right - client.left - cx + 1) / 2, (client.bottom - client.top - cy + 1) / 2, icon);
    EndPaint(hwnd, &paint);
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
        Win32Window* window = reinterpret_cast<Win32Window*>(lParam);
        window->hwnd = hwnd;
        window->dialog.Attach(window);
        // Every template is placed at (0, 0): centre it over the owner or the work area.
        CentreOver(hwnd, GetWindow(hwnd, GW_OWNER));
        return window->dialog.OnInitDialog() ? TRUE : FALSE;
    }
    Win32Window* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window) return FALSE;
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) window->dialog.OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            window->dialog.OnCommand(kIdCancel);
            return TRUE;
        case WM_PAINT:
            if (!IsIconic(hwnd) || !window->smallIcon) return FALSE;
            PaintIconic(hwnd, window->smallIcon);
            return TRUE;
        case WM_QUERYDRAGICON:
            // Answered by the return value itself, not DWLP_MSGRESULT; a window without an
            // icon of its own returns FALSE and gets the default answer.
            return reinterpret_cast<INT_PTR>(window->smallIcon);
    }
    return FALSE;
}

Key KeyOf(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_RETURN: return Key::Enter;
        case VK_ESCAPE: return Key::Escape;
        case VK_TAB: return Key::Tab;
    }
    return Key::Other;
}

class Win32Dialogs final : public DialogSystem {
public:
    int RunModal(CDialog& dialog, int templateId, CDialog* owner) override {
        // An owner is a dialog running on this system, so its window is one of ours.
        HWND ownerWindow = owner ? static_cast<Win32Window&>(owner->Window()).hwnd : nullptr;
        Win32Window window(dialog);
        HWND hwnd = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId), ownerWindow,
                                       DialogProc, reinterpret_cast<LPARAM>(&window));
        if (!hwnd) return kIdCancel;
        if (ownerWindow) EnableWindow(ownerWindow, FALSE);
        ShowWindow(hwnd, SW_SHOW);
        MSG msg;
        BOOL got = TRUE;
        while (!window.ended && (got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
            bool ours = msg.hwnd == hwnd || IsChild(hwnd, msg.hwnd);
            if (ours && msg.message == WM_KEYDOWN && dialog.PreTranslateKey(KeyOf(msg.wParam))) continue;
            if (!IsDialogMessageA(hwnd, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        // Enabled before the window goes, so that activation returns to the owner.
        if (ownerWindow) EnableWindow(ownerWindow, TRUE);
        DestroyWindow(hwnd);
        if (got <= 0) PostQuitMessage(static_cast<int>(msg.wParam));
        return window.result;
    }

    std::string ApplicationTitle() override {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, sizeof path);
        std::string name = path;
        return cp932::FileTitle(name.substr(text::FileNameAt(name)));
    }

    std::string LoadText(int id) override {
        char text[512] = {};
        int n = LoadStringA(Instance(), static_cast<UINT>(id), text, sizeof text);
        return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
    }

    int ShowMessage(const std::string& text, const std::string& caption, unsigned type) override {
        return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), type);
    }

    void EnableThreeDLook() override {
        HMODULE ctl3d = LoadLibraryA("CTL3D32.DLL");
        if (!ctl3d) return;
        // Through void*: FARPROC has no parameters, so a direct cast warns.
        auto find = [ctl3d](const char* name) {
            return reinterpret_cast<BOOL(WINAPI*)(HINSTANCE)>(reinterpret_cast<void*>(GetProcAddress(ctl3d, name)));
        };
        auto reg = find("Ctl3dRegister"), subclass = find("Ctl3dAutoSubclass");
        if (reg && subclass && reg(Instance())) subclass(Instance());
    }
};

}  // namespace

DialogSystem& SystemDialogs() {
    static Win32Dialogs dialogs;
    return dialogs;
}
