#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "engineer/EngineerFactory.h"
#include "framework/RunData.h"
#include "testing/CoreStandIn.h"

namespace {

struct RecordDeleter {
    void operator()(EngineerRecord* r) const { std::free(r); }
};
using RecordPtr = std::unique_ptr<EngineerRecord, RecordDeleter>;

TEST(EngineerRecord, FactoryFillsTheBindingFields) {
    RunData owner{};
    const char* list[] = {"wav", "aiff"};
    RecordPtr record(vek::MakeEngineerRecord(2, list, &owner));
    ASSERT_NE(record, nullptr);
    const auto* bytes = reinterpret_cast<const uint8_t*>(record.get());
    EXPECT_EQ(std::memcmp(bytes, "VEKE", 4), 0);
    EXPECT_EQ(record->version, 1);
    EXPECT_EQ(record->core, nullptr);
    EXPECT_EQ(record->reserved24, 0);
    EXPECT_EQ(record->extensionCount, 2);
    EXPECT_STREQ(record->extensions[0], "wav");
    EXPECT_STREQ(record->extensions[1], "aiff");
    for (int i = 2; i < 64; ++i)
        for (int j = 0; j < 13; ++j) ASSERT_EQ(record->extensions[i][j], 0);
    EXPECT_EQ(record->owner, &owner);
    EXPECT_EQ(record->createStream, vek::kEngineerStreamFactory);
    EXPECT_EQ(record->probe(1, 2), 0);
}

TEST(EngineerRecord, LongTextsAreCutToTwelveCharacters) {
    const char* list[] = {"abcdefghijklmnop"};
    RecordPtr record(vek::MakeEngineerRecord(1, list, nullptr));
    EXPECT_STREQ(record->extensions[0], "abcdefghijkl");
    EXPECT_EQ(record->extensions[0][12], 0);
}

TEST(EngineerRecord, CountFromADamagedFileIsClampedToTheSlots) {
    static char slots[64][13];
    const char* list[64];
    for (int i = 0; i < 64; ++i) {
        std::snprintf(slots[i], sizeof slots[i], "e%d", i);
        list[i] = slots[i];
    }
    struct Case {
        int32_t stored;
        int32_t expected;
    };
    for (const Case c : {Case{-5, 0}, Case{0, 0}, Case{64, 64}, Case{65, 64}, Case{0x7FFFFFFF, 64},
                         Case{int32_t(0x80000000), 0}}) {
        RecordPtr record(vek::MakeEngineerRecord(c.stored, list, nullptr));
        EXPECT_EQ(record->extensionCount, c.expected) << c.stored;
    }
}

TEST(EngineerRecord, RegisterExtensionsHandsTheStoredSlotsAsTheyStand) {
    const char* list[] = {".mod", "wav", "ignored"};
    RecordPtr record(vek::MakeEngineerRecord(2, list, nullptr));
    vek::testing::CoreStandIn core;
    record->core = &core;
    record->registerExtensions(record.get());
    const std::vector<std::string> expected = {"AddEngineerExtension .mod", "AddEngineerExtension wav"};
    EXPECT_EQ(core.CallStrings(), expected);
}

TEST(EngineerRecord, NoExtensionsMeansNoCallToTheCore) {
    RecordPtr record(vek::MakeEngineerRecord(0, nullptr, nullptr));
    vek::testing::CoreStandIn core;
    record->core = &core;
    record->registerExtensions(record.get());
    EXPECT_TRUE(core.calls().empty());
}

}  // namespace
