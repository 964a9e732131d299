// A stand-in for the host program Kirimo, for tests and the demo: it appends one line to
// standin-host.log in its working folder saying which pet data it found live, then ends.
// "--stay SECONDS" keeps it running that long after the line is written (at most an hour),
// so that tests can see it among the running processes; started without arguments, as the
// launcher starts it, it stays as many seconds as a file standin-host.stay says.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
// The live file's name in the ANSI code page 932.
static const char kLiveFile[] = "Kirimo\x90\xdd\x92\xe8.kmc";
#else
static const char kLiveFile[] = "Kirimo設定.kmc";
#endif

int main(int argc, char** argv) {
    long stay = 0;
    if (argc > 2 && std::strcmp(argv[1], "--stay") == 0) {
        stay = std::strtol(argv[2], nullptr, 10);
    } else if (std::FILE* file = std::fopen("standin-host.stay", "rb")) {
        char seconds[16] = {};
        std::fread(seconds, 1, sizeof seconds - 1, file);
        std::fclose(file);
        stay = std::strtol(seconds, nullptr, 10);
    }
    if (stay < 0 || stay > 3600) stay = 3600;
#ifdef _WIN32
    // A window program, as the real host is: it makes its window (never shown here).
    HWND window = CreateWindowExA(0, "STATIC", "Kirimo", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
#endif
    std::string line = stay ? "started to stay: " : "started: ";
    if (std::FILE* live = std::fopen(kLiveFile, "rb")) {
        char data[200];
        size_t n = std::fread(data, 1, sizeof data, live);
        std::fclose(live);
        std::string content(data, n);
        for (char& c : content)
            if (c == '\r' || c == '\n') c = ' ';
        line += "live file holds \"" + content + "\"";
    } else {
        line += "no live file";
    }
    std::FILE* log = std::fopen("standin-host.log", "ab");
    if (!log) return 1;
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
    std::this_thread::sleep_for(std::chrono::seconds(stay));
#ifdef _WIN32
    if (window) DestroyWindow(window);
#endif
    return 0;
}
