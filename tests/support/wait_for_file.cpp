// Polling for a file that a detached program writes.
#include <chrono>
#include <thread>

#include "tests/support/patience.h"
#include "tests/support/test_folder.h"

std::optional<std::string> WaitForFile(const TestFolder& folder, const std::string& name) {
    for (int i = 0; i < 200 * PatienceFactor(); ++i) {
        if (auto bytes = folder.Read(name); bytes && !bytes->empty()) return bytes;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return folder.Read(name);
}
