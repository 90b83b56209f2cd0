// The Wave engineer's registrations and the framework's growable array.
#include <gtest/gtest.h>

#include <vector>

#include "framework/EngineerModule.h"
#include "framework/GrowArray.h"

namespace {

TEST(WaveRegistry, ThreeActionsNoConditionsNoExpressions) {
    const vek::Registry& registry = vek::ModuleRegistry();
    const std::vector<uint16_t> words(registry.actions.info.words,
                                      registry.actions.info.words + registry.actions.info.wordCount);
    const std::vector<uint16_t> expected = {25000, 25000, 0, 0, 1, 45, 25001,  // Set Engineer Filetypes
                                            25010, 25010, 1, 0, 0,              // Enable Caching
                                            25020, 25020, 2, 0, 0};             // Disable Caching
    EXPECT_EQ(words, expected);
    EXPECT_EQ(registry.conditions.handlers[0], nullptr);
    EXPECT_EQ(registry.expressions.handlers[0], nullptr);
    EXPECT_EQ(registry.expressions.info.wordCount, 0u);
    EXPECT_EQ(registry.actions.handlers[3], nullptr);
}

TEST(GrowArray, StartsWithRoomForThreeAndGrowsToThreeTimesLengthPlusOne) {
    vek::GrowArray<int> array;
    std::vector<size_t> rooms;
    for (int i = 0; i < 14; ++i) {
        array.Append(i);
        rooms.push_back(array.Room());
    }
    const std::vector<size_t> expected = {3, 3, 3, 10, 10, 10, 10, 10, 10, 10, 31, 31, 31, 31};
    EXPECT_EQ(rooms, expected);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(array[i], i);
}

TEST(GrowArray, PopHalvesTheRoomWhenLessThanHalfIsUsed) {
    vek::GrowArray<int> array;
    for (int i = 0; i < 10; ++i) array.Append(i);
    ASSERT_EQ(array.Room(), 10u);
    EXPECT_EQ(array.Pop(), 9);
    EXPECT_EQ(array.Room(), 10u);
    for (int i = 0; i < 5; ++i) array.Pop();
    EXPECT_EQ(array.Length(), 4u);
    EXPECT_EQ(array.Room(), 5u);
    EXPECT_EQ(array.Top(), 3);
}

}  // namespace
