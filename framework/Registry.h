// The registry built from an engineer's registrations: per kind the list of
// records, the InfoArray the host reads and the HandlerTable it calls.
#pragma once

#include "framework/Ace.h"
#include "framework/GrowArray.h"

namespace vek {

constexpr uint16_t kActionMenuBase = 25000;
constexpr uint16_t kConditionMenuBase = 26000;
constexpr uint16_t kExpressionMenuBase = 27000;

struct AceRecord {
    GrowArray<int16_t> paramTypes;
    GrowArray<const char*> paramNames;
    void* conditionHandler;
    ActionBody actionHandler;
    ExpressionBody expressionHandler;
    const char* displayText;
    uint16_t flags;
    void* wrapper;  // what the HandlerTable holds for this record
};

// One entry per record in code order: menu ID, menu ID, code, flags, n, the n
// type codes, the n title IDs.
struct InfoArray {
    uint16_t* words = nullptr;
    size_t wordCount = 0;
    size_t entryCount = 0;
};

struct KindTables {
    GrowArray<AceRecord*> records;
    InfoArray info;
    void** handlers = nullptr;  // one per record, then null
};

struct Registry {
    KindTables conditions;
    KindTables actions;
    KindTables expressions;
};

// Appends a record for each registration to its kind's list, in order.
void Register(Registry& registry, const AceRegistration* registrations, size_t count);
// Builds the InfoArrays, then the HandlerTables (conditions, actions, expressions).
void BuildTables(Registry& registry);
// Frees what Register allocated (the lists and the records' arrays).
void ReleaseRecords(Registry& registry);

// The entry (its word 0) whose code word equals code, or null. Steps from
// entry to entry by 5 + 2n words and never past the last entry.
const uint16_t* FindInfoEntry(const InfoArray& info, int16_t code);
// The code of the entry whose menu ID equals menuId, or -1.
int16_t CodeFromMenuId(const InfoArray& info, uint16_t menuId);

}  // namespace vek
