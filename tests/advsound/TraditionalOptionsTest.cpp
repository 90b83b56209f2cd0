// The Advanced Sound engineer carries the same three options as the Wave
// engineer under its own codes: 6 enable caching, 7 disable caching, 8 set
// the file types.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/EditData.h"
#include "framework/EngineerModule.h"
#include "framework/RunData.h"
#include "testing/CoreStandIn.h"
#include "testing/HostStandIn.h"

extern "C" {
int16_t VEK_STDCALL CreateRunObject(RunData* object, EditData* edit, int32_t);
int16_t VEK_STDCALL DestroyRunObject(RunData* object, int32_t);
}

namespace {

constexpr int kEnableCaching = 6;
constexpr int kDisableCaching = 7;
constexpr int kSetFiletypes = 8;

int16_t RunAction(int code, RunData* object, const char* text = nullptr) {
    auto handler = reinterpret_cast<vek::ActionHandler>(vek::ModuleRegistry().actions.handlers[code]);
    return handler(object, int32_t(reinterpret_cast<intptr_t>(text)), 0);
}

TEST(AdvSoundOptions, CachingFollowsTheStoredFlagThenTheActions) {
    for (uint8_t stored : {0, 1}) {
        vek::testing::HostStandIn host;
        std::vector<uint8_t> block = host.NewRunObject(sizeof(RunData));
        auto* object = reinterpret_cast<RunData*>(block.data());
        EditData edit{};
        edit.cacheAtStartup = stored;
        ASSERT_EQ(CreateRunObject(object, &edit, 0), 0);
        EXPECT_EQ(object->cachingEnabled, stored);
        EXPECT_EQ(RunAction(kDisableCaching, object), 0);
        EXPECT_EQ(object->cachingEnabled, 0);
        EXPECT_EQ(RunAction(kEnableCaching, object), 0);
        EXPECT_EQ(object->cachingEnabled, 1);
        DestroyRunObject(object, 0);
        std::free(object->engineer);
    }
}

TEST(AdvSoundOptions, SetEngineerFiletypesReregistersThroughOneFreshRecord) {
    vek::testing::HostStandIn host;
    std::vector<uint8_t> block = host.NewRunObject(sizeof(RunData));
    auto* object = reinterpret_cast<RunData*>(block.data());
    EditData edit{};
    ASSERT_EQ(CreateRunObject(object, &edit, 0), 0);
    vek::testing::CoreStandIn core;
    core.Adopt(block.data(), block.size());
    ASSERT_TRUE(core.calls().empty()) << "no stored extensions";

    EXPECT_EQ(RunAction(kSetFiletypes, object, ".it .xm .mod .s3m"), 0);
    const std::vector<std::string> expected = {"UnregisterEngineer",        "AddEngineerExtension it",
                                               "AddEngineerExtension xm",   "AddEngineerExtension mod",
                                               "AddEngineerExtension s3m", "RegisterEngineer"};
    ASSERT_EQ(core.CallStrings(), expected);
    const void* fresh = core.calls()[0].record;
    for (const vek::testing::CoreCall& call : core.calls()) EXPECT_EQ(call.record, fresh) << call.op;
    EXPECT_NE(fresh, object->engineer);
    EXPECT_EQ(static_cast<const EngineerRecord*>(fresh)->owner, object);

    DestroyRunObject(object, 0);
    std::free(const_cast<void*>(fresh));  // the records are the core's; the test plays the core
    std::free(object->engineer);
}

}  // namespace
