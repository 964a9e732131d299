// Writes the platform id that GetVersionExA gives this program to the file named by its
// argument: copied under another program's name, it shows what Wine tells that program.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return 3;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 4;
    std::fprintf(out, "%lu %lu.%lu", version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
    std::fclose(out);
    return 0;
}
