// Files that are not regular files, for the tests of the readers and writers:
// a FIFO, a device node made in a test's own folder, and a guard that frees a
// reader stuck on a FIFO so that such a fault fails its test instead of hanging
// the suite. No test points a writer at a real device.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zlv::test {

inline bool MakeFifo(const std::string& path) { return ::mkfifo(path.c_str(), 0666) == 0; }

// A character device node with the numbers of the device that is always full;
// false where making nodes is not permitted.
inline bool MakeDeviceNode(const std::string& path)
{
    return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0;
}

// The kind of file at path itself, links not followed; 0 when there is none.
inline mode_t FileKind(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// While it lives, a reader still waiting on the FIFO at path after three seconds
// is set free (a writer opens the FIFO and closes it at once, which ends the
// wait at an empty end), and Freed() then tells that it had waited. While path
// is no FIFO it does nothing.
class FifoReaderRelease {
public:
    explicit FifoReaderRelease(std::string fifo) : m_fifo(std::move(fifo)), m_thread([this] { run(); }) {}
    FifoReaderRelease(const FifoReaderRelease&) = delete;
    FifoReaderRelease& operator=(const FifoReaderRelease&) = delete;
    ~FifoReaderRelease()
    {
        m_done = true;
        m_thread.join();
    }
    bool Freed() const { return m_freed; }

private:
    void run()
    {
        for (int ticks = 0; !m_done; ++ticks) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            // Opening for writing without waiting succeeds only while a reader has it open.
            const int fd = ticks >= 300 && FileKind(m_fifo) == S_IFIFO
                               ? ::open(m_fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)
                               : -1;
            if (fd >= 0) {
                ::close(fd);
                m_freed = true;
            }
        }
    }

    std::string m_fifo;
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_freed{false};
    std::thread m_thread;
};

} // namespace zlv::test
