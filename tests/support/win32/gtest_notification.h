// GoogleTest's thread start signal, for compilers of the win32 thread model, which have no
// std::mutex or std::condition_variable. Forced into every test source before gtest's own.
#pragma once
#include <atomic>
#include <thread>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) std::this_thread::yield();
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
