#include <gtest/gtest.h>

#include <cstring>

#include "engineer/AudioCore.h"

namespace {

// Under the Itanium C++ ABI (GCC on both targets) a pointer to a virtual
// member holds 1 + the byte offset of its slot in the table.
template <typename M>
int SlotOf(M member) {
    uintptr_t raw = 0;
    std::memcpy(&raw, &member, sizeof raw);
    return int((raw - 1) / sizeof(void*));
}

TEST(AudioCoreLayout, OperationsSitAtTheirPositions) {
    EXPECT_EQ(SlotOf(&AudioCore::GetVersion), 0);
    EXPECT_EQ(SlotOf(&AudioCore::AttachStream), 4);
    EXPECT_EQ(SlotOf(&AudioCore::SetDeckPan), 27);
    EXPECT_EQ(SlotOf(&AudioCore::SetDeckVolume), 29);
    EXPECT_EQ(SlotOf(&AudioCore::ReportError), 43);
    EXPECT_EQ(SlotOf(&AudioCore::RegisterEngineer), 50);
    EXPECT_EQ(SlotOf(&AudioCore::UnregisterEngineer), 51);
    EXPECT_EQ(SlotOf(&AudioCore::AddEngineerExtension), 52);
    EXPECT_EQ(SlotOf(&AudioCore::PrepareDeck), 76);
    EXPECT_EQ(SlotOf(&AudioCore::FindEngineer), 79);
    EXPECT_EQ(SlotOf(&AudioCore::PlayDeck), 80);
    EXPECT_EQ(SlotOf(&AudioCore::AllocateDeck), 81);
    EXPECT_EQ(SlotOf(&AudioCore::SetDeckFrequency), 82);
}

}  // namespace
