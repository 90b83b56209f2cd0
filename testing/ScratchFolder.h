// A fresh folder under the system's temporary folder for one test or
// benchmark run, removed with all it holds when the object goes.
#pragma once

#include <filesystem>
#include <cstdint>
#include <string>
#include <vector>

namespace vek::testing {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "vek-");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path(const std::string& name) const { return (path_ / name).string(); }
    std::string Folder() const { return path_.string(); }
    // Writes a file into the folder; answers its path, or an empty text when
    // it could not be written.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace vek::testing
