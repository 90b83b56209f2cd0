// The built engineer libraries, loaded by file name as the host and tools
// load them, driven only through their exports.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engineer/EngineerRecord.h"
#include "platform/Platform.h"
#include "testing/CoreStandIn.h"
#include "testing/EngineerLibrary.h"
#include "testing/HostStandIn.h"

namespace {

using vek::testing::EngineerLibrary;

struct Expected {
    const char* file;
    uint32_t identifier;
    const char* name;
    const char* description;
    uint32_t versionBits;
    int16_t dataSize;
    int16_t actions;
    int16_t expressions;
};

const Expected kEngineers[] = {
    {"VekEng_Wave.mfx", 0x56455756, "PCM WAVE", "Allows for playback of PCM wave files in the Vek Audio System",
     0x3F866666, 208, 3, 0},
    {"VekEng_AdvSound.mfx", 0x56454153, "Advanced Sound",
     "Allows for playback of cached wave files in the Vek Audio System", 0x3F8F5C29, 212, 13, 1},
};

std::string PathOf(const char* file) {
    return vek::testing::ExtensionsFolder() + vek::platform::PathSeparator() + file;
}

class EngineerLibraries : public ::testing::TestWithParam<Expected> {};

TEST_P(EngineerLibraries, LoadByFileNameWithEveryExport) {
    EngineerLibrary library(PathOf(GetParam().file));
    ASSERT_TRUE(library.loaded()) << PathOf(GetParam().file);
    EXPECT_TRUE(library.complete());
    for (const char* name : {"EditProp", "GetTextFont", "UnloadObject",
                             "GetParameterString", "PauseRunObject", "EditDebugItem"})
        EXPECT_NE(library.Find(name), nullptr) << name;
}

TEST_P(EngineerLibraries, GrabInfosFillsAPluginInfoBlock) {
    const Expected& e = GetParam();
    EngineerLibrary library(PathOf(e.file));
    ASSERT_TRUE(library.complete());
    PluginInfo info;
    std::memset(&info, 0, sizeof info);
    EXPECT_EQ(library.exports().VekGrabInfos(&info.identifier, info.name, info.author, info.copyright,
                                             info.description, info.url, &info.version, &info.type),
              0);
    EXPECT_EQ(info.identifier, e.identifier);
    EXPECT_STREQ(info.name, e.name);
    EXPECT_STREQ(info.description, e.description);
    EXPECT_EQ(info.description[std::strlen(e.description)], 0);
    for (size_t i = std::strlen(e.name); i < sizeof info.name; ++i) ASSERT_EQ(info.name[i], 0) << i;
    uint32_t bits;
    std::memcpy(&bits, &info.version, sizeof bits);
    EXPECT_EQ(bits, e.versionBits);
    EXPECT_EQ(info.type, 1);
    EXPECT_GT(std::strlen(info.author), 0u);
    EXPECT_GT(std::strlen(info.copyright), 0u);
    EXPECT_GT(std::strlen(info.url), 0u);
}

TEST_P(EngineerLibraries, GrabInfosWritesOnlyThroughNonNullPointers) {
    EngineerLibrary library(PathOf(GetParam().file));
    ASSERT_TRUE(library.complete());
    EXPECT_EQ(library.exports().VekGrabInfos(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              0);
    int32_t type = 77;
    EXPECT_EQ(library.exports().VekGrabInfos(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &type), 0);
    EXPECT_EQ(type, 1);
}

TEST_P(EngineerLibraries, HostQueriesAnswerTheBindingValues) {
    const Expected& e = GetParam();
    EngineerLibrary library(PathOf(e.file));
    ASSERT_TRUE(library.complete());
    const auto& x = library.exports();
    const int32_t infos[][2] = {{0, 768}, {1, 0}, {2, 256}, {3, 0}, {4, 0}, {5, 0}, {6, 2}, {7, 243}, {8, 0}, {-1, 0}};
    for (const auto& [code, result] : infos) EXPECT_EQ(x.GetInfos(code), result) << code;
    EXPECT_EQ(x.GetRunObjectDataSize(0, 0), e.dataSize);
    EXPECT_EQ(x.GetRunObjectDataSize(123, -9), e.dataSize);

    RunObjectInfos record;
    std::memset(&record, 0xAB, sizeof record);
    EXPECT_EQ(x.GetRunObjectInfos(0, &record), 1);
    EXPECT_EQ(record.conditionCount, 0);
    EXPECT_EQ(record.actionCount, e.actions);
    EXPECT_EQ(record.expressionCount, e.expressions);
    EXPECT_EQ(record.editDataSize, 860);
    EXPECT_EQ(record.hostField20, 0);
    EXPECT_EQ(record.hostField24, 100);
    EXPECT_EQ(record.hostField25, 0xAB) << "not written";
    EXPECT_EQ(record.hostField26, 0);
    EXPECT_EQ(record.identifier, e.identifier);
    EXPECT_EQ(record.objectVersion, 1);
    auto** conditions = static_cast<void**>(record.conditionRoutines);
    EXPECT_EQ(conditions[0], nullptr);
    auto** actions = static_cast<void**>(record.actionRoutines);
    for (int i = 0; i < e.actions; ++i) EXPECT_NE(actions[i], nullptr) << i;
    EXPECT_EQ(actions[e.actions], nullptr);
}

TEST_P(EngineerLibraries, RunObjectLifecycleFromStoredEditData) {
    const Expected& e = GetParam();
    EngineerLibrary library(PathOf(e.file));
    ASSERT_TRUE(library.complete());
    const auto& x = library.exports();
    vek::testing::HostStandIn host;
    x.StartApp(host.services(), host.application());

    EditData edit{};
    std::strcpy(edit.extensions[0], "wav");
    std::strcpy(edit.extensions[1], "ogg");
    edit.extensionCount = 2;
    edit.cacheAtStartup = 1;
    std::vector<uint8_t> object = host.NewRunObject(size_t(e.dataSize));
    EXPECT_EQ(x.CreateRunObject(object.data(), &edit, 0), 0);

    uint8_t* tail = object.data() + object.size() - 20;
    EXPECT_EQ(tail[0], 1) << "cachingEnabled from cacheAtStartup";
    uint32_t words[4];
    std::memcpy(words, tail + 4, sizeof words);
    EXPECT_EQ(words[0], 0u) << "core";
    EXPECT_NE(words[1], 0u) << "engineer";
    EXPECT_EQ(words[2], 8u);
    EXPECT_EQ(words[3], 0x84543424u);

    vek::testing::CoreStandIn core;
    core.Adopt(object.data(), object.size());
    const std::vector<std::string> expected = {"AddEngineerExtension wav", "AddEngineerExtension ogg"};
    EXPECT_EQ(core.CallStrings(), expected);

    EXPECT_EQ(x.HandleRunObject(object.data()), 1);
    EXPECT_EQ(x.DestroyRunObject(object.data(), 0), 0);
    uint32_t engineerAfter;
    std::memcpy(&engineerAfter, tail + 8, sizeof engineerAfter);
    EXPECT_EQ(engineerAfter, words[1]) << "the engineer record stays the core's";
    x.EndApp(host.services(), host.application());
    // The record is the core's; this test plays the core and frees it.
    std::free(reinterpret_cast<void*>(uintptr_t(words[1])));
}

INSTANTIATE_TEST_SUITE_P(Both, EngineerLibraries, ::testing::ValuesIn(kEngineers),
                         [](const auto& info) { return std::string(info.param.name[0] == 'P' ? "Wave" : "AdvSound"); });

}  // namespace

namespace {

TEST(AdvSoundLibrary, StartAppStoresTheCacheThatRunObjectsShareAndEndAppClearsIt) {
    EngineerLibrary library(PathOf("VekEng_AdvSound.mfx"));
    ASSERT_TRUE(library.complete());
    const auto& x = library.exports();
    vek::testing::HostStandIn host;
    void* module = vek::platform::ModuleOfAddress(reinterpret_cast<const void*>(x.GetInfos));

    x.StartApp(host.services(), host.application());
    void* cache = host.ExtensionData(host.application(), module);
    ASSERT_NE(cache, nullptr);

    EditData edit{};
    std::vector<uint8_t> object = host.NewRunObject(212);
    x.CreateRunObject(object.data(), &edit, 0);
    void* stored;
    std::memcpy(&stored, object.data() + 188, sizeof stored);
    EXPECT_EQ(stored, cache);
    x.DestroyRunObject(object.data(), 0);
    void* engineer;
    std::memcpy(&engineer, object.data() + 200, sizeof engineer);
    std::free(engineer);

    x.StartApp(host.services(), host.application());  // a second start replaces the cache
    EXPECT_NE(host.ExtensionData(host.application(), module), nullptr);
    x.EndApp(host.services(), host.application());
    EXPECT_EQ(host.ExtensionData(host.application(), module), nullptr);

    const auto* tree = static_cast<const int16_t*>(x.GetDebugTree(0));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree[0], -1);
}

TEST(AdvSoundLibrary, RunObjectWithoutStartAppHasNoCache) {
    EngineerLibrary library(PathOf("VekEng_AdvSound.mfx"));
    ASSERT_TRUE(library.complete());
    vek::testing::HostStandIn host;
    EditData edit{};
    std::vector<uint8_t> object = host.NewRunObject(212);
    library.exports().CreateRunObject(object.data(), &edit, 0);
    void* stored = reinterpret_cast<void*>(1);
    std::memcpy(&stored, object.data() + 188, sizeof stored);
    EXPECT_EQ(stored, nullptr);
    library.exports().DestroyRunObject(object.data(), 0);
    void* engineer;
    std::memcpy(&engineer, object.data() + 200, sizeof engineer);
    std::free(engineer);
}

}  // namespace
