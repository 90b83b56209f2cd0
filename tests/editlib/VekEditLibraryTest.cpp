// VekEdit loaded by file name as its users load it: the two exports, and the
// object's operations reached by their position in its virtual table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "editlib/CVekEditDll.h"
#include "platform/Platform.h"

namespace {

#if defined(_WIN32)
#define VEK_MEMBER_CALL __attribute__((thiscall))
constexpr char kLibraryFile[] = "VekEdit.dll";
#else
#define VEK_MEMBER_CALL
constexpr char kLibraryFile[] = "VekEdit.so";
#endif

// The table as a user in another library sees it: positions, not names.
using IntOp = int32_t(VEK_MEMBER_CALL*)(void* self);
using PointerOp = void*(VEK_MEMBER_CALL*)(void* self);
using SetHandleOp = void(VEK_MEMBER_CALL*)(void* self, void* handle);
using ParentOp = int32_t(VEK_MEMBER_CALL*)(void* self, void* parent);
using EditFileTypesOp = int32_t(VEK_MEMBER_CALL*)(void* self, void* parent, int32_t flags, int32_t count,
                                                  int32_t capacity, char** entries);
using ReservedOp = int32_t(VEK_MEMBER_CALL*)(void* self, int32_t, int32_t, int32_t, int32_t);

template <typename Op>
Op Slot(void* object, int position) {
    void** table = *static_cast<void***>(object);
    return reinterpret_cast<Op>(table[position]);
}

class VekEditLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dist = std::getenv("VEK_DIST_DIR");
        ASSERT_NE(dist, nullptr);
        path_ = std::string(dist) + "/" + kLibraryFile;
        library_ = vek::platform::LoadLibraryFile(path_.c_str());
        ASSERT_NE(library_, nullptr) << path_;
        get_ = reinterpret_cast<GetVekEditFn>(vek::platform::FindExport(library_, "getVekEdit"));
        free_ = reinterpret_cast<FreeVekEditFn>(vek::platform::FindExport(library_, "freeVekEdit"));
        ASSERT_NE(get_, nullptr);
        ASSERT_NE(free_, nullptr);
    }
    void TearDown() override { vek::platform::FreeLibraryFile(library_); }

    std::string path_;
    vek::platform::LibraryHandle library_ = nullptr;
    GetVekEditFn get_ = nullptr;
    FreeVekEditFn free_ = nullptr;
};

TEST_F(VekEditLibrary, ConstantOperationsByPosition) {
    void* object = get_();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(Slot<IntOp>(object, 0)(object), 1) << "GetRevision";
    EXPECT_EQ(Slot<IntOp>(object, 4)(object), 1) << "IsReady";
    Slot<SetHandleOp>(object, 2)(object, library_);
    EXPECT_EQ(Slot<IntOp>(object, 0)(object), 1);
    EXPECT_EQ(Slot<IntOp>(object, 4)(object), 1);
    const int32_t arguments[][4] = {{0, 0, 0, 0}, {1, 2, 3, 4}, {-1, INT32_MIN, INT32_MAX, 7}};
    for (const auto& a : arguments) EXPECT_EQ(Slot<ReservedOp>(object, 6)(object, a[0], a[1], a[2], a[3]), -1);
    free_(static_cast<CVekEditDll*>(object));
}

TEST_F(VekEditLibrary, StoredHandleFollowsTheTablePointer) {
    void* object = get_();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(Slot<PointerOp>(object, 3)(object), nullptr) << "a new object holds no handle";
    int marker = 0;
    Slot<SetHandleOp>(object, 2)(object, &marker);
    Slot<SetHandleOp>(object, 2)(object, library_);
    EXPECT_EQ(Slot<PointerOp>(object, 3)(object), library_) << "the last value stored";
    void* member;
    std::memcpy(&member, static_cast<char*>(object) + 4, sizeof member);
    EXPECT_EQ(member, library_);
    free_(static_cast<CVekEditDll*>(object));
}

TEST_F(VekEditLibrary, EachCallMakesItsOwnObject) {
    CVekEditDll* first = get_();
    CVekEditDll* second = get_();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    second->SetLibraryHandle(library_);
    free_(first);
    EXPECT_EQ(second->GetRevision(), 1);
    EXPECT_EQ(second->GetLibraryHandle(), library_);
    free_(second);
    free_(nullptr);
}

TEST_F(VekEditLibrary, EditFileTypesWithFlagsShowsNothing) {
    void* object = get_();
    char field[13] = "wav";
    char* entries[] = {field};
    for (int32_t count : {0, 1, 57, -3})
        EXPECT_EQ(Slot<EditFileTypesOp>(object, 5)(object, nullptr, 1, count, 1, entries), 0) << count;
    EXPECT_STREQ(field, "wav");
    free_(static_cast<CVekEditDll*>(object));
}

#if !defined(_WIN32)
// Without a window system the dialogs can't be created: the plug-ins dialog
// answers the failure value and the file-type dialog the count passed in.
TEST_F(VekEditLibrary, DialogsThatCantBeCreatedChangeNothing) {
    void* object = get_();
    EXPECT_EQ(Slot<ParentOp>(object, 1)(object, nullptr), -1);
    char fields[2][13] = {"wav", "aiff"};
    char* entries[] = {fields[0], fields[1]};
    EXPECT_EQ(Slot<EditFileTypesOp>(object, 5)(object, nullptr, 0, 2, 2, entries), 2);
    EXPECT_EQ(Slot<EditFileTypesOp>(object, 5)(object, nullptr, 0, 99, 2, entries), 99);
    EXPECT_STREQ(fields[0], "wav");
    EXPECT_STREQ(fields[1], "aiff");
    free_(static_cast<CVekEditDll*>(object));
}
#endif

}  // namespace
