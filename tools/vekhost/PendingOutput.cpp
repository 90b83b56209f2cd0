#include "tools/vekhost/PendingOutput.h"

#include <cerrno>
#include <cstring>

namespace vekhost {

PendingOutput::~PendingOutput() {
    if (!committed_) Drop();
}

bool PendingOutput::Open(const std::string& path, std::string& error) {
    path_ = path;
    temporary_ = path + ".part";
    file_ = std::fopen(temporary_.c_str(), "wb");
    if (file_ == nullptr) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool PendingOutput::Write(const std::vector<uint8_t>& bytes, std::string& error) {
    if (file_ == nullptr) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), bytes.size(), 1, file_) != 1) {
        error = "cannot write " + path_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool PendingOutput::Commit(std::string& error) {
    if (file_ == nullptr) return false;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed) {
        error = "cannot write " + path_ + ": " + std::strerror(errno);
        std::remove(temporary_.c_str());
        return false;
    }
    std::remove(path_.c_str());  // rename does not replace a file everywhere
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        error = "cannot put " + path_ + " in place: " + std::strerror(errno);
        std::remove(temporary_.c_str());
        return false;
    }
    committed_ = true;
    return true;
}

void PendingOutput::Drop() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    if (committed_) std::remove(path_.c_str());
    committed_ = false;
}

}  // namespace vekhost
