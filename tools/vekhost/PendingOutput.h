// An output file that appears only when everything went well: it is written
// beside its final name and put in place by Commit. Until then, or when it is
// dropped, no partial file is left behind.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vekhost {

class PendingOutput {
public:
    PendingOutput() = default;
    ~PendingOutput();
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    // Creates the file that will become `path`; false with `error` when it
    // cannot be written there.
    bool Open(const std::string& path, std::string& error);
    bool Write(const std::vector<uint8_t>& bytes, std::string& error);
    // Puts the file in place under its final name.
    bool Commit(std::string& error);
    // Removes the file, committed or not.
    void Drop();

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

}  // namespace vekhost
