// .syx bytes for the link's tests, built here from the record layouts so that the
// tests do not depend on the bank writers.
#pragma once

#include "KeypadModel.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zlv::test {

// A default preset record at `index` (121 bytes), a default chain (58 bytes), a
// speed-dial setting (8 bytes).
Bytes DefaultPresetMessage(int index);
Bytes DefaultChainMessage(int index);
Bytes SpeedDialMessage(int dial, std::uint8_t preset);
// The bank file written from the defaults: 308 messages, 30,014 bytes.
Bytes DefaultBankFile();
// `count` firmware messages of `size` bytes each (byte 2 is 21, last byte F7).
Bytes FirmwareFile(int count, std::size_t size);
// The messages of a file, cut after each F7.
std::vector<Bytes> SplitMessages(const Bytes& file);
Bytes Concat(const std::vector<Bytes>& messages);

// A folder of its own for a test's files, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string Write(const std::string& name, const Bytes& bytes) const;
    std::string PathOf(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

} // namespace zlv::test
