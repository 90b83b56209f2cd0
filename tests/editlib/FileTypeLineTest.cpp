// The file-type dialog's line: joining the caller's entries at start-up and
// reading the edited line back into them on OK.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editlib/FileTypeList.h"

namespace {

using vek::editlib::JoinFileTypes;
using vek::editlib::StoreFileTypes;

constexpr char kUntouched = '#';

// The caller's 13-byte fields: filled with a marker so that every byte the
// dialog writes shows, with the 13th byte zero as the engineer keeps it.
class Fields {
public:
    explicit Fields(size_t count) : fields_(count), pointers_(count) {
        for (size_t i = 0; i < count; ++i) {
            fields_[i].fill(kUntouched);
            fields_[i][12] = '\0';
            pointers_[i] = fields_[i].data();
        }
    }
    void Set(size_t i, const std::string& text) {
        fields_[i].fill('\0');
        text.copy(fields_[i].data(), 12);
    }
    FileTypeListView View(int32_t count, int32_t capacity) { return {count, capacity, pointers_.data()}; }
    std::string Text(size_t i) const { return std::string(fields_[i].data()); }
    bool Untouched(size_t i) const {
        for (size_t b = 0; b < 12; ++b)
            if (fields_[i][b] != kUntouched) return false;
        return fields_[i][12] == '\0';
    }
    const std::array<char, 13>& Raw(size_t i) const { return fields_[i]; }
    char** Pointers() { return pointers_.data(); }

private:
    std::vector<std::array<char, 13>> fields_;
    std::vector<char*> pointers_;
};

struct LineCase {
    const char* name;
    std::string line;
    std::vector<std::string> entries;
};

class StoreLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(StoreLine, GivesTheEntriesAndWritesNothingElse) {
    const LineCase& c = GetParam();
    Fields fields(64);
    FileTypeListView view = fields.View(5, 64);
    StoreFileTypes(view, c.line.c_str());
    ASSERT_EQ(view.count, int32_t(c.entries.size()));
    for (size_t i = 0; i < c.entries.size(); ++i) {
        EXPECT_EQ(fields.Text(i), c.entries[i]) << "entry " << i;
        // A shorter entry is followed by zero bytes up to the 12th; the 13th stays the caller's.
        std::array<char, 13> expected{};
        c.entries[i].copy(expected.data(), 12);
        EXPECT_EQ(fields.Raw(i), expected) << "entry " << i;
    }
    for (size_t i = c.entries.size(); i < 64; ++i) EXPECT_TRUE(fields.Untouched(i)) << "field " << i;
}

const LineCase kLineCases[] = {
    {"TwoEntries", "wav, aiff", {"wav", "aiff"}},
    {"EmptyMiddlePiece", "wav,,aiff", {"wav", "", "aiff"}},
    {"BlankMiddlePiece", "wav, ,aiff", {"wav", "", "aiff"}},
    {"TrailingComma", "wav,", {"wav"}},
    {"TrailingCommaAndBlank", "wav, ", {"wav"}},
    {"EmptyLine", "", {}},
    {"BlanksOnly", "   ", {}},
    {"LeadingBlanksDropped", "  wav,  aiff", {"wav", "aiff"}},
    {"BlankBeforeCommaStays", "wav ,aiff", {"wav ", "aiff"}},
    {"BlanksInsideStay", "a b, c d ", {"a b", "c d "}},
    {"TabsStay", "\twav,\taiff", {"\twav", "\taiff"}},
    {"LeadingComma", ",wav", {"", "wav"}},
    {"BlankFirstPieceMakesAnEntry", " , ", {""}},
    {"FifteenCharactersCutToTwelve", "abcdefghijklmno", {"abcdefghijkl"}},
    {"TwelveCharactersExactly", "abcdefghijkl,x", {"abcdefghijkl", "x"}},
    {"DotsAreKept", ".wav, .aiff", {".wav", ".aiff"}},
};

INSTANTIATE_TEST_SUITE_P(Lines, StoreLine, ::testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string Pieces(int first, int count) {
    std::string line;
    for (int i = first; i < first + count; ++i) line += (i > first ? "," : "") + std::to_string(i);
    return line;
}

TEST(StoreLineBounds, AtMostCapacityMinusOneEntries) {
    struct Bound {
        int pieces;
        int32_t capacity;
        int32_t stored;
    };
    const Bound bounds[] = {{70, 64, 63}, {64, 64, 63}, {63, 64, 63}, {62, 64, 62}, {3, 1, 0}, {1, 1, 0}, {5, 2, 1}};
    for (const Bound& b : bounds) {
        Fields fields(size_t(b.capacity));
        FileTypeListView view = fields.View(0, b.capacity);
        StoreFileTypes(view, Pieces(0, b.pieces).c_str());
        EXPECT_EQ(view.count, b.stored) << b.pieces << " pieces, capacity " << b.capacity;
        for (int32_t i = 0; i < b.stored; ++i) EXPECT_EQ(fields.Text(size_t(i)), std::to_string(i));
        for (int32_t i = b.stored; i < b.capacity; ++i) EXPECT_TRUE(fields.Untouched(size_t(i))) << i;
    }
}

// A caller's arguments that promise more than the array holds: nothing is
// written outside the given fields (the sanitizer sees any stray write).
TEST(StoreLineBounds, NoWritesWithoutRoom) {
    for (int32_t capacity : {0, -1, -64, INT32_MIN}) {
        Fields fields(1);
        FileTypeListView view = fields.View(7, capacity);
        StoreFileTypes(view, "wav, aiff");
        EXPECT_EQ(view.count, 0) << capacity;
        EXPECT_TRUE(fields.Untouched(0)) << capacity;
    }
    FileTypeListView nullArray{3, 64, nullptr};
    StoreFileTypes(nullArray, "wav, aiff");
    EXPECT_EQ(nullArray.count, 0);
}

TEST(StoreLineBounds, StopsAtAMissingField) {
    Fields fields(4);
    fields.Pointers()[1] = nullptr;
    FileTypeListView view = fields.View(0, 4);
    StoreFileTypes(view, "a, b, c");
    EXPECT_EQ(view.count, 1);
    EXPECT_EQ(fields.Text(0), "a");
    EXPECT_TRUE(fields.Untouched(2));
}

TEST(StoreLineBounds, ReadsTheLineUpTo1023Characters) {
    Fields fields(64);
    FileTypeListView view = fields.View(0, 64);
    // The comma stands at the 1024th character, beyond what the line holds.
    const std::string line = std::string(1023, 'a') + ",b";
    StoreFileTypes(view, line.c_str());
    EXPECT_EQ(view.count, 1);
    EXPECT_EQ(fields.Text(0), "aaaaaaaaaaaa");
}

std::string Joined(FileTypeListView view, size_t size = vek::editlib::kFileTypeLineSize) {
    std::vector<char> line(size + 1, '~');
    JoinFileTypes(view, line.data(), size);
    EXPECT_EQ(line[size], '~') << "written past the line";
    return std::string(line.data());
}

TEST(JoinLine, JoinsTheEntriesInUse) {
    Fields fields(64);
    fields.Set(0, "wav");
    fields.Set(1, "aiff");
    fields.Set(2, "ogg");
    EXPECT_EQ(Joined(fields.View(2, 64)), "wav, aiff");
    EXPECT_EQ(Joined(fields.View(1, 64)), "wav");
    EXPECT_EQ(Joined(fields.View(0, 64)), "");
    EXPECT_EQ(Joined(fields.View(-3, 64)), "");
}

TEST(JoinLine, FullListFits) {
    Fields fields(64);
    for (size_t i = 0; i < 64; ++i) fields.Set(i, "abcdefghijkl");
    const std::string line = Joined(fields.View(64, 64));
    EXPECT_EQ(line.size(), 64u * 12 + 63 * 2);
}

TEST(JoinLine, CutToTheLine) {
    Fields fields(2);
    fields.Set(0, "wav");
    fields.Set(1, "aiff");
    EXPECT_EQ(Joined(fields.View(2, 2), 10), "wav, aiff");
    EXPECT_EQ(Joined(fields.View(2, 2), 5), "wav,");
    EXPECT_EQ(Joined(fields.View(2, 2), 1), "");
}

// Counts beyond the array, null arrays and unterminated fields read nothing
// outside the given entries (the sanitizer sees any stray read).
TEST(JoinLine, ReadsOnlyTheGivenEntries) {
    Fields fields(2);
    fields.Set(0, "wav");
    fields.Set(1, "aiff");
    EXPECT_EQ(Joined(fields.View(5, 2)), "wav, aiff");
    EXPECT_EQ(Joined(fields.View(2, -1)), "");
    EXPECT_EQ(Joined(FileTypeListView{2, 64, nullptr}), "");

    auto* unterminated = new char[13];
    std::fill(unterminated, unterminated + 13, 'x');
    char* one[] = {unterminated};
    EXPECT_EQ(Joined(FileTypeListView{1, 1, one}), "xxxxxxxxxxxx");
    delete[] unterminated;

    char* withNull[] = {fields.Pointers()[0], nullptr, fields.Pointers()[1]};
    EXPECT_EQ(Joined(FileTypeListView{3, 3, withNull}), "wav, , aiff");
}

TEST(JoinLine, OkWithoutEditingStoresTheSameEntries) {
    Fields fields(64);
    fields.Set(0, "wav");
    fields.Set(1, "aiff");
    FileTypeListView view = fields.View(2, 64);
    const std::string line = Joined(view);
    StoreFileTypes(view, line.c_str());
    EXPECT_EQ(view.count, 2);
    EXPECT_EQ(fields.Text(0), "wav");
    EXPECT_EQ(fields.Text(1), "aiff");
}

}  // namespace
