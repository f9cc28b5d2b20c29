#include "SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zlv {

namespace {

FileFaults& activeFaults()
{
    static FileFaults faults;
    return faults;
}

// Writing through a symbolic link replaces the file it points at, not the link.
std::string resolveTarget(const std::string& path)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::string folderOf(const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

void syncFolder(const std::string& folder)
{
    // Makes the rename itself durable; a folder that cannot be synced does not
    // undo a replacement that has already happened.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

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
    m_target = resolveTarget(path);
    const std::string base = std::filesystem::path(m_target).filename().string();
    if (base.empty())
        return false;
    const std::string folder = folderOf(m_target);
    std::random_device random;
    for (int attempt = 0; attempt < 16 && m_fd < 0; ++attempt) {
        m_temp = folder + "/." + base + "." + std::to_string(random() % 1000000000u) + ".tmp";
        // 0666 lets the umask decide, as for a file created in place.
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        m_temp.clear();
        return false;
    }
    struct stat st{};
    if (::stat(m_target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
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
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (faults.FailClose || closed != 0) {
        Discard();
        return false;
    }
    if (faults.FailRename || ::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        Discard();
        return false;
    }
    m_temp.clear();
    syncFolder(folderOf(m_target));
    return true;
}

void SafeFileWriter::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
    m_failed = false;
}

} // namespace zlv
