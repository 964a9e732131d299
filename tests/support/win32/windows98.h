// Wine told to report Windows 98 to the program of one executable name, for as long as this
// lives: its GetVersionExA then gives platform id 1, from its start.
#pragma once
#include <windows.h>

#include <string>

class Windows98For {
public:
    explicit Windows98For(const std::string& exeName) : key_("Software\\Wine\\AppDefaults\\" + exeName) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        set_ = RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~Windows98For() { RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }
    Windows98For(const Windows98For&) = delete;
    Windows98For& operator=(const Windows98For&) = delete;
    bool Set() const { return set_; }

private:
    std::string key_;
    bool set_ = false;
};
