// Writing a file so that it ends up either holding every new byte or exactly
// what it held before: the bytes go to a temporary file in the target's folder,
// which is flushed to disk, closed and only then renamed over the target.
// Where the file system allows it the temporary file has no name until it is
// complete, so an interrupted save leaves nothing behind; a named one that a
// crash did leave is removed by the next save of the same target. Only a
// regular file is ever replaced: a FIFO, a device or a folder is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zlv {

class SafeFileWriter {
public:
    SafeFileWriter() = default;
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;
    // Anything not committed is thrown away, temporary file included.
    ~SafeFileWriter();

    // Creates the temporary file next to path (a UTF-8 path); false if it cannot
    // be created, if the user may not write an existing target, or if the target
    // exists and is no regular file. A symbolic link is followed, so the file it
    // names gets the bytes and the link stays.
    bool Open(const std::string& path);
    bool Write(const std::uint8_t* data, std::size_t size);
    // Flushes, closes and renames over the target. False leaves the target untouched.
    bool Commit();
    void Discard();

private:
    void closeFolder();

    // The target's folder, opened once: the temporary file, the rename and the
    // removals all go relative to it, so that a target whose own path is as long
    // as the system allows can be saved although the temporary file's is longer.
    int m_folder = -1;
    int m_fd = -1;
    bool m_unnamed = false; // m_fd has no name yet; m_temp is empty until Commit links it
    std::string m_name;     // the target's name in m_folder
    std::string m_temp;     // the temporary file's name in m_folder
    std::uint64_t m_written = 0;
    bool m_failed = false;
};

// Failures the file layer reports on purpose, so that tests reach every error
// path of the writers. Active until replaced; the default fails nothing.
struct FileFaults {
    std::int64_t FailWriteAfterBytes = -1; // a write beyond this many bytes of one file fails; -1 never
    bool FailSync = false;
    bool FailClose = false;
    bool FailRename = false;
    bool FailUnnamedTemp = false; // as on a file system without unnamed files: the named one is used
};

// Installs faults for the writers from now on; returns the ones replaced.
FileFaults SetFileFaults(const FileFaults& faults);

} // namespace zlv
