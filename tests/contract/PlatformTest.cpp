#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;

TEST(Platform, FindFilesMatchesTheWildcardWithoutRegardToCase) {
    const fs::path folder = fs::temp_directory_path() / ("vek-find-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(folder);
    fs::create_directories(folder / "VekDir.mfx");
    for (const char* name : {"VekOne.mfx", "vektwo.MFX", "Other.mfx", "VekThree.dll"}) std::ofstream(folder / name) << "x";
    std::vector<std::string> names =
        vek::platform::FindFiles(folder.string() + vek::platform::PathSeparator(), "Vek*.mfx");
    std::sort(names.begin(), names.end());
    const std::vector<std::string> expected = {"VekOne.mfx", "vektwo.MFX"};
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(vek::platform::FindFiles(folder.string() + "/missing/", "Vek*.mfx").empty());

    // A file that is not a library does not load.
    EXPECT_EQ(vek::platform::LoadLibraryFile((folder / "VekOne.mfx").string().c_str()), nullptr);
    fs::remove_all(folder);
}

TEST(Platform, ExecutablePathNamesThisProgram) {
    const std::string path = vek::platform::ExecutablePath();
    EXPECT_NE(path.find("test_wave"), std::string::npos) << path;
}

}  // namespace
