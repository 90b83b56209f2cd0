// The Advanced Sound engineer's registrations as the host reads them.
#include <gtest/gtest.h>

#include <vector>

#include "framework/EngineerModule.h"
#include "framework/EditData.h"
#include "framework/Parameters.h"
#include "framework/RunData.h"
#include "testing/HostStandIn.h"

extern "C" {
void* VEK_STDCALL GetActionInfos(int32_t, int32_t code);
void* VEK_STDCALL GetConditionInfos(int32_t, int32_t code);
void* VEK_STDCALL GetExpressionInfos(int32_t, int32_t code);
int16_t VEK_STDCALL CreateRunObject(RunData* object, EditData* edit, int32_t);
int16_t VEK_STDCALL DestroyRunObject(RunData* object, int32_t);
}

namespace {

std::vector<uint16_t> Words(const vek::InfoArray& info) { return {info.words, info.words + info.wordCount}; }

TEST(AdvSoundRegistry, ActionInfoArrayHoldsThirteenEntriesInCodeOrder) {
    const vek::Registry& registry = vek::ModuleRegistry();
    const std::vector<uint16_t> words = Words(registry.actions.info);
    ASSERT_EQ(registry.actions.info.entryCount, 13u);
    ASSERT_EQ(words.size(), 125u);
    const std::vector<uint16_t> first = {25000, 25000, 0, 0, 2, 40, 45, 25001, 25002};
    EXPECT_EQ(std::vector<uint16_t>(words.begin(), words.begin() + 9), first);
    const std::vector<uint16_t> last = {25120, 25120, 12, 0, 5, 45, 22, 22, 22, 22, 25121, 25122, 25123, 25124, 25125};
    EXPECT_EQ(std::vector<uint16_t>(words.end() - 15, words.end()), last);
}

TEST(AdvSoundRegistry, EntriesOfEveryCodeAreFoundWithTheirMenuIdsAndTypes) {
    struct Entry {
        int code;
        std::vector<uint16_t> types;
    };
    const Entry entries[] = {{0, {40, 45}},         {1, {45}},         {2, {45, 22}},     {3, {45, 22, 22}},
                             {4, {45, 22, 22, 22}}, {5, {40, 45, 45}}, {6, {}},           {7, {}},
                             {8, {45}},             {9, {45, 22}},     {10, {45, 22, 22}}, {11, {45, 22, 22, 22}},
                             {12, {45, 22, 22, 22, 22}}};
    for (const Entry& e : entries) {
        auto* at = static_cast<const uint16_t*>(GetActionInfos(0, e.code));
        ASSERT_NE(at, nullptr) << e.code;
        EXPECT_EQ(at[-2], 25000 + 10 * e.code);
        EXPECT_EQ(at[-1], 25000 + 10 * e.code);
        EXPECT_EQ(at[0], e.code);
        EXPECT_EQ(at[1], 0);
        ASSERT_EQ(at[2], e.types.size());
        for (size_t j = 0; j < e.types.size(); ++j) {
            EXPECT_EQ(at[3 + j], e.types[j]) << e.code;
            EXPECT_EQ(at[3 + e.types.size() + j], 25000 + 10 * e.code + 1 + j) << e.code;
        }
    }
}

TEST(AdvSoundRegistry, ExpressionEntryHasNoTitleIds) {
    const std::vector<uint16_t> expected = {27000, 27000, 0, 0, 1, 3, 0};
    EXPECT_EQ(Words(vek::ModuleRegistry().expressions.info), expected);
    EXPECT_EQ(static_cast<uint16_t*>(GetExpressionInfos(0, 0)), vek::ModuleRegistry().expressions.info.words + 2);
}

TEST(AdvSoundRegistry, NoConditionsAndTablesEndWithNull) {
    const vek::Registry& registry = vek::ModuleRegistry();
    EXPECT_EQ(registry.conditions.info.wordCount, 0u);
    EXPECT_EQ(registry.conditions.handlers[0], nullptr);
    EXPECT_EQ(GetConditionInfos(0, 0), nullptr);
    EXPECT_NE(registry.actions.handlers[12], nullptr);
    EXPECT_EQ(registry.actions.handlers[13], nullptr);
    EXPECT_NE(registry.expressions.handlers[0], nullptr);
    EXPECT_EQ(registry.expressions.handlers[1], nullptr);
}

TEST(AdvSoundRegistry, CodeFromMenuIdWalksTheEntries) {
    const vek::InfoArray& actions = vek::ModuleRegistry().actions.info;
    EXPECT_EQ(vek::CodeFromMenuId(actions, 25050), 5);
    EXPECT_EQ(vek::CodeFromMenuId(actions, 25060), 6);
    EXPECT_EQ(vek::CodeFromMenuId(actions, 25001), -1);
    EXPECT_EQ(vek::CodeFromMenuId(actions, 26000), -1);
    EXPECT_EQ(vek::CodeFromMenuId(vek::ModuleRegistry().expressions.info, 27000), 0);
    EXPECT_EQ(vek::CodeFromMenuId(vek::ModuleRegistry().conditions.info, 26000), -1);
}

// Each evaluation of the expression starts again at the host's first-parameter routine.
TEST(AdvSoundRegistry, ExpressionWrapperRestartsParameterFetching) {
    vek::testing::HostStandIn host;
    std::vector<uint8_t> block = host.NewRunObject(sizeof(RunData));
    auto* object = reinterpret_cast<RunData*>(block.data());
    EditData edit{};
    CreateRunObject(object, &edit, 0);
    auto handler = reinterpret_cast<vek::ExpressionHandler>(vek::ModuleRegistry().expressions.handlers[0]);
    host.QueueExpressionText("a");
    host.QueueExpressionText("b");
    handler(object, 41);
    handler(object, 42);
    const std::vector<std::string> expected = {"first 1 41", "first 1 42"};
    EXPECT_EQ(host.fetchLog(), expected);
    // A body that fetched twice would reach the next-parameter routine.
    EXPECT_EQ(vek::FetchExpressionText(object, 43), nullptr);
    EXPECT_EQ(host.fetchLog().back(), "next 1 43");
    DestroyRunObject(object, 0);
    std::free(object->engineer);
}

}  // namespace
