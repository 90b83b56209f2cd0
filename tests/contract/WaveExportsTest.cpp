// The Wave engineer's exports as the host calls them, linked in directly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "framework/EditData.h"
#include "framework/EngineerModule.h"
#include "framework/RunData.h"
#include "testing/HostStandIn.h"

extern "C" {
int16_t VEK_STDCALL CreateRunObject(RunData* object, EditData* edit, int32_t);
int16_t VEK_STDCALL DestroyRunObject(RunData* object, int32_t);
void* VEK_STDCALL GetDebugTree(int32_t);
int32_t VEK_STDCALL GetProperties(int32_t, int32_t, int32_t);
int32_t VEK_STDCALL IsPropEnabled(int32_t, int32_t, int32_t);
int32_t VEK_STDCALL GetTextFont(int32_t, int32_t, int32_t, int32_t, int32_t);
int32_t VEK_STDCALL SetTextFont(int32_t, int32_t, int32_t, int32_t);
int32_t VEK_STDCALL EditObject(int32_t, int32_t, int32_t, int32_t);
int32_t VEK_STDCALL IsTransparent(int32_t, int32_t, int32_t, int32_t, int32_t);
int32_t VEK_STDCALL Initialize(int32_t, int32_t);
int32_t VEK_STDCALL Free(int32_t);
int32_t VEK_STDCALL CreateObject(int32_t, int32_t, int32_t);
int16_t VEK_STDCALL GetActionCodeFromMenu(int32_t, int32_t);
void* VEK_STDCALL GetActionInfos(int32_t, int32_t);
const char* VEK_STDCALL GetHelpFileName();
const char* VEK_STDCALL GetDependencies();
}

namespace {

class WaveRunObject : public ::testing::Test {
protected:
    void Create(EditData& edit) {
        block_ = host_.NewRunObject(sizeof(RunData));
        object_ = reinterpret_cast<RunData*>(block_.data());
        ASSERT_EQ(CreateRunObject(object_, &edit, 0), 0);
    }
    void TearDown() override {
        if (object_ == nullptr) return;
        DestroyRunObject(object_, 0);
        std::free(object_->engineer);  // the core's to free; this test plays the core
    }
    vek::testing::HostStandIn host_;
    std::vector<uint8_t> block_;
    RunData* object_ = nullptr;
};

TEST_F(WaveRunObject, DamagedStoredDataStaysInsideTheSlots) {
    EditData edit;
    std::memset(&edit, 'x', sizeof edit);  // no terminator anywhere
    edit.extensionCount = 1000;
    edit.cacheAtStartup = 7;
    Create(edit);
    EngineerRecord* engineer = object_->engineer;
    ASSERT_NE(engineer, nullptr);
    EXPECT_EQ(engineer->extensionCount, 64);
    EXPECT_STREQ(engineer->extensions[63], "xxxxxxxxxxxx");
    EXPECT_EQ(object_->cachingEnabled, 1);
}

TEST_F(WaveRunObject, NoStoredExtensionsStillMakesARecord) {
    EditData edit{};
    Create(edit);
    ASSERT_NE(object_->engineer, nullptr);
    EXPECT_EQ(object_->engineer->extensionCount, 0);
    EXPECT_EQ(object_->engineer->owner, object_);
    EXPECT_EQ(object_->cachingEnabled, 0);
    EXPECT_EQ(object_->core, nullptr);
    ASSERT_NE(object_->paramFetch, nullptr);
    EXPECT_EQ(object_->paramFetch->object, object_);
    EXPECT_EQ(object_->paramFetch->fetch, vek::FetchFirstParameterStep);
}

TEST_F(WaveRunObject, DestroyLeavesTheEngineerRecord) {
    EditData edit{};
    Create(edit);
    EngineerRecord* engineer = object_->engineer;
    DestroyRunObject(object_, 0);
    EXPECT_EQ(object_->engineer, engineer);
    EXPECT_EQ(std::memcmp(engineer->magic, "VEKE", 4), 0);
    std::free(engineer);
    object_ = nullptr;
}

TEST_F(WaveRunObject, CachingActionsThroughTheHandlerTable) {
    EditData edit{};
    Create(edit);
    auto** handlers = vek::ModuleRegistry().actions.handlers;
    auto enable = reinterpret_cast<vek::ActionHandler>(handlers[1]);
    auto disable = reinterpret_cast<vek::ActionHandler>(handlers[2]);
    EXPECT_EQ(enable(object_, 0, 0), 0);
    EXPECT_EQ(object_->cachingEnabled, 1);
    EXPECT_EQ(disable(object_, 0, 0), 0);
    EXPECT_EQ(object_->cachingEnabled, 0);
}

TEST(WaveInertExports, AnswerTheirConstants) {
    EXPECT_EQ(GetDebugTree(0), nullptr);
    EXPECT_EQ(GetProperties(1, 2, 3), 1);
    EXPECT_EQ(IsPropEnabled(1, 2, 3), 1);
    EXPECT_EQ(GetTextFont(1, 2, 3, 4, 5), 1);
    EXPECT_EQ(SetTextFont(1, 2, 3, 4), 1);
    EXPECT_EQ(EditObject(1, 2, 3, 4), 0);
    EXPECT_EQ(IsTransparent(1, 2, 3, 4, 5), 0);
    EXPECT_EQ(Initialize(1, 2), 0);
    EXPECT_EQ(Free(1), 0);
    EXPECT_EQ(CreateObject(1, 2, 3), -1);
    EXPECT_EQ(GetActionCodeFromMenu(0, 25000), -1);
    EXPECT_EQ(GetActionInfos(0, 0), nullptr);
    EXPECT_EQ(GetHelpFileName(), nullptr);
    EXPECT_EQ(GetDependencies(), nullptr);
}

}  // namespace
