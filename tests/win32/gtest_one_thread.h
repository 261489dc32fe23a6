// Force-included before GoogleTest in the Windows builds. GoogleTest's
// Notification is built on std::mutex, which the Win32-threads MinGW
// toolchain (the one that keeps the program free of winpthreads) does not
// have. Notification only lets GoogleTest's own helper threads start; these
// tests start none, so a flag stands in for it.
#ifndef VELBROOK_TESTS_GTEST_ONE_THREAD_H
#define VELBROOK_TESTS_GTEST_ONE_THREAD_H

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { m_notified = true; }
  void WaitForNotification() {}

 private:
  bool m_notified = false;
};

}  // namespace internal
}  // namespace testing

#endif  // VELBROOK_TESTS_GTEST_ONE_THREAD_H
