#include "testing/ScratchFolder.h"

#include <atomic>
#include <chrono>
#include <cstdio>

namespace vek::testing {

namespace fs = std::filesystem;

// The name is made anew until it names a folder no other run is using.
ScratchFolder::ScratchFolder(const std::string& prefix) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() / (prefix + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::error_code error;
        if (fs::create_directory(path_, error) || error) return;
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string path = Path(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return {};
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? path : std::string();
}

}  // namespace vek::testing
