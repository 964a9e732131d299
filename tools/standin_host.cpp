// A stand-in for the host program Kirimo, for tests and the demo: it appends one line to
// standin-host.log in its working folder saying which pet data it found live, then ends.
#include <cstdio>
#include <string>

#ifdef _WIN32
// The live file's name in the ANSI code page 932.
static const char kLiveFile[] = "Kirimo\x90\xdd\x92\xe8.kmc";
#else
static const char kLiveFile[] = "Kirimo設定.kmc";
#endif

int main() {
    std::string line = "started: ";
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
    return 0;
}
