// What the vekhost tests share: a scratch folder, files written into it, the
// built engineers' folder, and vekhost's commands run in-process with their
// output captured.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vekhost::testing {

// A fresh folder, removed with everything in it at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The path of a name inside the folder.
    std::string operator/(const std::string& name) const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
std::vector<uint8_t> ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// The built engineer libraries' folder, ending with a separator.
std::string EngineersFolder();

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};
CommandResult RunCommand(const std::vector<std::string>& args);

}  // namespace vekhost::testing
