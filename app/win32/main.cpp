// Windows entry point: msvcrt has already split the command line, double-byte aware.
#include <windows.h>

#include <mbctype.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "app/zandry_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The _mbs functions follow this code page, not the user's locale, unless told.
    _setmbcp(_MB_CP_ANSI);
    std::vector<std::string> arguments(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
    return CZandryApp(SystemPlatform(), arguments).Run();
}
