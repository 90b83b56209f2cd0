#include "tests/vekhost/Fixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "testing/EngineerLibrary.h"
#include "tools/vekhost/Cli.h"

namespace vekhost::testing {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    // Runs side by side (both targets, other workers) must never share a
    // folder: the name is drawn until it is a new one.
    std::random_device random;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string stem = "vekhost-" + std::string(test != nullptr ? test->name() : "test") + "-";
    for (char& c : stem)
        if (c == '/') c = '-';
    for (;;) {
        const fs::path folder = fs::temp_directory_path() / (stem + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(folder, error)) {
            path_ = folder.string();
            return;
        }
        if (error) {
            ADD_FAILURE() << "cannot make a folder in " << fs::temp_directory_path().string() << ": "
                          << error.message();
            path_ = fs::temp_directory_path().string();
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    if (path_ != fs::temp_directory_path().string()) fs::remove_all(path_, ignored);
}

std::string ScratchFolder::operator/(const std::string& name) const { return (fs::path(path_) / name).string(); }

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(file.good()) << path;
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) { return fs::exists(path); }

std::string EngineersFolder() {
    std::string folder = vek::testing::ExtensionsFolder();
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    return folder;
}

namespace {
std::string Drain(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
    return text;
}
}  // namespace

CommandResult RunCommand(const std::vector<std::string>& args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    if (out == nullptr || err == nullptr) {
        ADD_FAILURE() << "no temporary file for the command's output";
        if (out != nullptr) std::fclose(out);
        if (err != nullptr) std::fclose(err);
        return {-1, {}, {}};
    }
    const int status = RunVekhost(args, out, err);
    return {status, Drain(out), Drain(err)};
}

}  // namespace vekhost::testing
