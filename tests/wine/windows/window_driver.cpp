// The driver's actions on another process's windows, through the messages a person's input
// would bring about.
#include "tests/wine/windows/window_driver.h"

namespace {

constexpr DWORD kPollMs = 20;
const UINT kSyncTimeoutMs = 10000 * PatienceFactor();

bool IsComboBox(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "ComboBox") == 0;
}

struct Search {
    DWORD processId;
    std::string caption;
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    Search& search = *reinterpret_cast<Search*>(parameter);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (search.owner ? GetWindow(window, GW_OWNER) == search.owner
                     : process == search.processId && WindowText(window) == search.caption)
        search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> Dialogs(DWORD processId, const std::string& caption, HWND owner) {
    Search search{processId, caption, owner, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT SendSync(HWND window, UINT message, WPARAM w, LPARAM l) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, kSyncTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

// Texts cross to the other process as UTF-16: Wine hands an ANSI caller's text across
// unconverted, in both directions.
std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(n > 0 ? n : 0));
    return wide;
}

std::string Narrow(const wchar_t* wide) {
    char text[2048] = {};
    WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

// Wine 8 sends no message that carries a handle (an icon, a font) to another process. Such
// a question is asked by a thread started inside the window's own process, running these
// few instructions: SendMessageA with the arguments its parameter points to, returning the
// answer as the thread's exit code.
struct Question {
    ULONG_PTR send, window, message, wParam, lParam;
};
#ifdef _WIN64
const unsigned char kAskCode[] = {
    0x48, 0x83, 0xEC, 0x28,  // sub rsp, 40
    0x48, 0x89, 0xC8,        // mov rax, rcx
    0x48, 0x8B, 0x48, 0x08,  // mov rcx, [rax+8]
    0x48, 0x8B, 0x50, 0x10,  // mov rdx, [rax+16]
    0x4C, 0x8B, 0x40, 0x18,  // mov r8, [rax+24]
    0x4C, 0x8B, 0x48, 0x20,  // mov r9, [rax+32]
    0xFF, 0x10,              // call [rax]
    0x48, 0x83, 0xC4, 0x28,  // add rsp, 40
    0xC3,                    // ret
};
#else
const unsigned char kAskCode[] = {
    0x8B, 0x44, 0x24, 0x04,  // mov eax, [esp+4]
    0xFF, 0x70, 0x10,        // push [eax+16]
    0xFF, 0x70, 0x0C,        // push [eax+12]
    0xFF, 0x70, 0x08,        // push [eax+8]
    0xFF, 0x70, 0x04,        // push [eax+4]
    0xFF, 0x10,              // call [eax]
    0xC2, 0x04, 0x00,        // ret 4
};
#endif

LRESULT AskInside(HWND window, UINT message, WPARAM wParam) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                     PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return 0;
    // user32 lies at the same address in every process of a session.
    Question question{reinterpret_cast<ULONG_PTR>(GetProcAddress(GetModuleHandleA("user32.dll"), "SendMessageA")),
                      reinterpret_cast<ULONG_PTR>(window), message, wParam, 0};
    DWORD answer = 0;
    auto* remote = static_cast<unsigned char*>(VirtualAllocEx(
        process, nullptr, sizeof question + sizeof kAskCode, MEM_COMMIT, PAGE_EXECUTE_READWRITE));
    if (remote && WriteProcessMemory(process, remote, &question, sizeof question, nullptr) &&
        WriteProcessMemory(process, remote + sizeof question, kAskCode, sizeof kAskCode, nullptr)) {
        HANDLE thread = CreateRemoteThread(
            process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(remote + sizeof question), remote, 0, nullptr);
        if (thread && WaitForSingleObject(thread, kSyncTimeoutMs) == WAIT_OBJECT_0) GetExitCodeThread(thread, &answer);
        if (thread) CloseHandle(thread);
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return static_cast<LRESULT>(answer);
}

void Notify(HWND dialog, int id, WORD code) {
    SendSync(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

Program::Program(const std::string& path, const std::vector<std::string>& arguments) {
    std::string commandLine = "\"" + path + "\"";
    for (const auto& argument : arguments) commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        process_ = {};
}

Program::~Program() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kSyncTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::optional<DWORD> Program::WaitForExit(DWORD milliseconds) {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return condition();
        Sleep(kPollMs);
    }
    return true;
}

HWND FindDialog(DWORD processId, const std::string& caption) {
    std::vector<HWND> found = Dialogs(processId, caption, nullptr);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForDialog(DWORD processId, const std::string& caption) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDialog(processId, caption)) != nullptr; });
    return dialog;
}

int CountDialogs(DWORD processId, const std::string& caption) {
    return static_cast<int>(Dialogs(processId, caption, nullptr).size());
}

HWND WaitForMessageBox(HWND owner) {
    HWND box = nullptr;
    WaitUntil([&] {
        std::vector<HWND> found = Dialogs(0, "", owner);
        box = found.empty() ? nullptr : found.front();
        return box != nullptr;
    });
    return box;
}

std::string MessageBoxText(HWND box) {
    // The message box's text is the static control with id 0xFFFF.
    return ItemText(box, 0xFFFF);
}

std::string WindowText(HWND window) {
    // WM_GETTEXT rather than GetWindowText, which does not ask another process's controls.
    wchar_t text[1024] = {};
    SendSync(window, WM_GETTEXT, sizeof text / sizeof *text, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::vector<std::string> Entries(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    bool combo = IsComboBox(control);
    int count = static_cast<int>(SendSync(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        SendSync(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(text));
        entries.push_back(Narrow(text));
    }
    return entries;
}

int Selection(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return static_cast<int>(SendSync(control, IsComboBox(control) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void ChooseInCombo(HWND dialog, int id, int index) {
    SendSync(GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(dialog, id, CBN_SELCHANGE);
}

void ChooseInList(HWND dialog, int id, int index) {
    SendSync(GetDlgItem(dialog, id), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(dialog, id, LBN_SELCHANGE);
}

void TypeInto(HWND dialog, int id, const std::string& text) {
    std::wstring wide = Wide(text);
    SendSync(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TypeKeys(HWND dialog, int id, const std::string& text) {
    HWND field = GetDlgItem(dialog, id);
    for (unsigned char c : text) PostMessageA(field, WM_CHAR, c, 1);
}

void Click(HWND dialog, int id) { SendSync(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PostClick(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PressCloseBox(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

LRESULT DragIcon(HWND window) { return AskInside(window, WM_QUERYDRAGICON, 0); }

LRESULT SmallIcon(HWND window) { return AskInside(window, WM_GETICON, ICON_SMALL); }

void PressKey(HWND window, WORD virtualKey) {
    HWND target = FocusOf(window);
    if (!target) target = window;
    UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    LPARAM up = down | (1L << 30) | (1L << 31);
    PostMessageA(target, WM_KEYDOWN, virtualKey, down);
    PostMessageA(target, WM_KEYUP, virtualKey, up);
}
