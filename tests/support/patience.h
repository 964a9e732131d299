// How long tests wait for the programs they start: ZANDRY_TEST_PATIENCE times the usual,
// for machines where every program start is emulated and takes about a minute.
#pragma once
#include <cstdlib>

inline int PatienceFactor() {
    const char* value = std::getenv("ZANDRY_TEST_PATIENCE");
    int factor = value ? std::atoi(value) : 1;
    return factor > 1 ? factor : 1;
}
