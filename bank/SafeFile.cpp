#include "SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <filesystem>
#include <random>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zlv {

namespace {

namespace fs = std::filesystem;

// As many levels of symbolic links as the kernel itself follows.
constexpr int kMaxLinkLevels = 40;
constexpr int kNameAttempts = 16;
// Temporary files are named .<stem>.<number>.tmp beside the target; the stem is
// the target's name, cut where the whole would pass the longest name a folder
// entry may have.
constexpr std::size_t kTempNumberDigits = 9;
constexpr unsigned kTempNumberLimit = 1000000000u;
static_assert(kTempNumberLimit - 1 == 999999999u, "the number has up to kTempNumberDigits digits");
constexpr std::size_t kTempStemMax = NAME_MAX - (1 + 1 + kTempNumberDigits + 4); // ".", ".", ".tmp"

FileFaults& activeFaults()
{
    static FileFaults faults;
    return faults;
}

// The file a write in place would reach: symbolic links are followed, each
// relative to its own folder, also when the last one names a file that does
// not exist yet. Empty when the links go round in a loop.
std::string resolveTarget(const std::string& path)
{
    fs::path p = path;
    for (int level = 0; level <= kMaxLinkLevels; ++level) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)))
            return p.string();
        const fs::path next = fs::read_symlink(p, ec);
        if (ec)
            return {};
        p = p.parent_path() / next;
    }
    return {};
}

std::string folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A folder the user may write but not list still takes files: it is then
// opened only as a place to name them from.
int openFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 || errno != EACCES)
        return fd;
    return ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// Renaming over a FIFO, a device or a socket would remove it and report a
// save; so only a missing target or a regular file may be replaced.
bool replaceable(int folder, const std::string& name)
{
    struct stat st{};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

// What a temporary file's name for the target named base starts with. The cut
// does not split a UTF-8 character.
std::string tempPrefix(const std::string& base)
{
    std::size_t keep = std::min(base.size(), kTempStemMax);
    while (keep > 0 && keep < base.size() && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80)
        --keep;
    return "." + base.substr(0, keep) + ".";
}

bool isTempNameOf(const std::string& name, const std::string& base)
{
    const std::string prefix = tempPrefix(base);
    const std::string suffix = ".tmp";
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                       name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// Calls make with fresh temporary names until one is not taken yet; name is
// set only on success, so that a failure never points at someone else's file.
template <typename Make>
bool underFreshName(const std::string& base, std::string& name, Make make)
{
    std::random_device random;
    const std::string prefix = tempPrefix(base);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string candidate = prefix + std::to_string(random() % kTempNumberLimit) + ".tmp";
        if (make(candidate)) {
            name = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Removes temporary files that a killed save of the same target left behind.
// A writer still at work holds a lock on its file, so a save running at the
// same time in another process keeps its own.
void removeLeftovers(int folder, const std::string& base)
{
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* entries = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!entries) {
        if (listing >= 0)
            ::close(listing);
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (!isTempNameOf(name, base))
            continue;
        const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            continue;
        }
        ::unlinkat(folder, name.c_str(), 0);
        if (fd >= 0)
            ::close(fd);
    }
    ::closedir(entries);
}

// A file in the folder that has no name, so that a crash cannot leave it behind.
int openUnnamed(int folder)
{
#ifdef O_TMPFILE
    return ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)folder;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

bool linkUnnamed(int fd, int folder, const std::string& name)
{
#ifdef O_TMPFILE
    if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // Linking by descriptor needs a privilege; its /proc entry does not.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
#else
    (void)fd;
    (void)folder;
    (void)name;
    errno = EOPNOTSUPP;
    return false;
#endif
}

// Past the file-size limit a write fails with EFBIG and also raises SIGXFSZ,
// whose default action ends the program. The signal is held back on this
// thread while writing and then taken off, so that only the failed write remains.
class FileSizeSignalHold {
public:
    FileSizeSignalHold()
    {
        ::sigemptyset(&m_signal);
        ::sigaddset(&m_signal, SIGXFSZ);
        ::pthread_sigmask(SIG_BLOCK, &m_signal, &m_previousMask);
        m_wasPending = isPending();
    }
    FileSizeSignalHold(const FileSizeSignalHold&) = delete;
    FileSizeSignalHold& operator=(const FileSizeSignalHold&) = delete;
    ~FileSizeSignalHold()
    {
        if (!m_wasPending && isPending()) {
            const timespec now{};
            ::sigtimedwait(&m_signal, nullptr, &now);
        }
        ::pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
    }

private:
    static bool isPending()
    {
        sigset_t pending;
        return ::sigpending(&pending) == 0 && ::sigismember(&pending, SIGXFSZ) == 1;
    }
    sigset_t m_signal;
    sigset_t m_previousMask;
    bool m_wasPending;
};

} // namespace

FileFaults SetFileFaults(const FileFaults& faults)
{
    FileFaults previous = activeFaults();
    activeFaults() = faults;
    return previous;
}

SafeFileWriter::~SafeFileWriter() { Discard(); }

bool SafeFileWriter::Open(const std::string& path)
{
    Discard();
    const std::string target = resolveTarget(path);
    m_name = fs::path(target).filename().string();
    if (m_name.empty())
        return false;
    m_folder = openFolder(folderOf(target));
    if (m_folder < 0 || !replaceable(m_folder, m_name)) {
        closeFolder();
        return false;
    }
    removeLeftovers(m_folder, m_name);
    // The rename would go round the target's own protection: refuse where a
    // write in place would be refused. Effective ids, so that root still may.
    if (::faccessat(m_folder, m_name.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
        closeFolder();
        return false;
    }
    m_unnamed = false;
    if (!activeFaults().FailUnnamedTemp) {
        m_fd = openUnnamed(m_folder);
        m_unnamed = m_fd >= 0;
    }
    // 0666 lets the umask decide, as for a file created in place.
    if (m_fd < 0 && !underFreshName(m_name, m_temp, [this](const std::string& name) {
            m_fd = ::openat(m_folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return m_fd >= 0;
        })) {
        closeFolder();
        return false;
    }
    ::flock(m_fd, LOCK_EX | LOCK_NB);
    struct stat st{};
    if (::fstatat(m_folder, m_name.c_str(), &st, 0) == 0 && S_ISREG(st.st_mode))
        ::fchmod(m_fd, st.st_mode & 07777);
    m_written = 0;
    m_failed = false;
    return true;
}

bool SafeFileWriter::Write(const std::uint8_t* data, std::size_t size)
{
    if (m_fd < 0 || m_failed)
        return false;
    const FileFaults& faults = activeFaults();
    std::size_t allowed = size;
    if (faults.FailWriteAfterBytes >= 0) {
        const auto limit = static_cast<std::uint64_t>(faults.FailWriteAfterBytes);
        allowed = m_written >= limit ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(size, limit - m_written));
    }
    const FileSizeSignalHold hold;
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t n = ::write(m_fd, data + done, allowed - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failed = true;
            return false;
        }
        done += static_cast<std::size_t>(n);
        m_written += static_cast<std::uint64_t>(n);
    }
    if (allowed < size) {
        m_failed = true;
        return false;
    }
    return true;
}

bool SafeFileWriter::Commit()
{
    if (m_fd < 0 || m_failed) {
        Discard();
        return false;
    }
    const FileFaults& faults = activeFaults();
    if (faults.FailSync || ::fsync(m_fd) != 0) {
        Discard();
        return false;
    }
    // Complete and on disk, the unnamed file now gets the name it is renamed from.
    if (m_unnamed) {
        const int fd = m_fd;
        const int folder = m_folder;
        if (!underFreshName(m_name, m_temp,
                            [fd, folder](const std::string& name) { return linkUnnamed(fd, folder, name); })) {
            Discard();
            return false;
        }
        m_unnamed = false;
    }
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (faults.FailClose || closed != 0) {
        Discard();
        return false;
    }
    // Looked at again just before the rename: the target may have been
    // replaced by a special file while the bytes were written.
    if (faults.FailRename || !replaceable(m_folder, m_name) ||
        ::renameat(m_folder, m_temp.c_str(), m_folder, m_name.c_str()) != 0) {
        Discard();
        return false;
    }
    m_temp.clear();
    // Makes the rename itself durable; a folder that cannot be synced does not
    // undo a replacement that has already happened.
    ::fsync(m_folder);
    closeFolder();
    return true;
}

void SafeFileWriter::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlinkat(m_folder, m_temp.c_str(), 0);
        m_temp.clear();
    }
    closeFolder();
    m_unnamed = false;
    m_failed = false;
}

void SafeFileWriter::closeFolder()
{
    if (m_folder >= 0) {
        ::close(m_folder);
        m_folder = -1;
    }
}

} // namespace zlv
