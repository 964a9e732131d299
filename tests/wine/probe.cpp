// Tells whether this Wine can run our Windows programs at all, in code page 932.
#include <windows.h>

#include <cstdio>

int main() {
    std::printf("acp=%u\n", GetACP());
    return GetACP() == 932 ? 0 : 3;
}
