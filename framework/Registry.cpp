#include "framework/Registry.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace vek {

namespace {

KindTables& TablesOf(Registry& registry, AceKind kind) {
    switch (kind) {
        case AceKind::Condition: return registry.conditions;
        case AceKind::Action: return registry.actions;
        default: return registry.expressions;
    }
}

void* HandlerOf(const AceRegistration& entry) {
    if (entry.kind == AceKind::Action) return reinterpret_cast<void*>(entry.actionHandler);
    if (entry.kind == AceKind::Expression) return reinterpret_cast<void*>(entry.expressionHandler);
    return nullptr;
}

AceRecord* MakeRecord(const AceRegistration& entry) {
    auto* record = new AceRecord();
    const int count = entry.params.count < 0 ? 0 : entry.params.count > kMaxParams ? kMaxParams : entry.params.count;
    for (int i = 0; i < count; ++i) {
        record->paramTypes.Append(entry.params.params[i].type);
        record->paramNames.Append(entry.params.params[i].name);
    }
    record->conditionHandler = nullptr;
    record->actionHandler = entry.action;
    record->expressionHandler = entry.expression;
    record->displayText = entry.displayText;
    record->flags = entry.flags;
    record->wrapper = HandlerOf(entry);
    return record;
}

InfoArray BuildInfoArray(const GrowArray<AceRecord*>& records, uint16_t base, bool withTitles) {
    GrowArray<uint16_t> words;
    for (size_t code = 0; code < records.Length(); ++code) {
        const AceRecord& record = *records[code];
        const uint16_t menuId = uint16_t(base + 10 * code);
        const size_t n = record.paramTypes.Length();
        words.Append(menuId);
        words.Append(menuId);
        words.Append(uint16_t(code));
        words.Append(record.flags);
        words.Append(uint16_t(n));
        for (size_t j = 0; j < n; ++j) words.Append(uint16_t(record.paramTypes[j]));
        for (size_t j = 0; j < n; ++j) words.Append(withTitles ? uint16_t(menuId + 1 + j) : uint16_t(0));
    }
    InfoArray info;
    info.wordCount = words.Length();
    info.entryCount = records.Length();
    info.words = static_cast<uint16_t*>(std::malloc((info.wordCount ? info.wordCount : 1) * sizeof(uint16_t)));
    if (info.words != nullptr && info.wordCount != 0)
        std::memcpy(info.words, words.Data(), info.wordCount * sizeof(uint16_t));
    return info;
}

}  // namespace

void Register(Registry& registry, const AceRegistration* registrations, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const AceRegistration& entry = registrations[i];
        TablesOf(registry, entry.kind).records.Append(MakeRecord(entry));
    }
}

static void BuildHandlerTable(Registry& registry, AceKind kind) {
    KindTables& tables = TablesOf(registry, kind);
    const size_t n = tables.records.Length();
    tables.handlers = static_cast<void**>(std::calloc(n + 1, sizeof(void*)));
    if (tables.handlers == nullptr) return;
    for (size_t i = 0; i < n; ++i) tables.handlers[i] = tables.records[i]->wrapper;
}

void BuildTables(Registry& registry) {
    registry.conditions.info = BuildInfoArray(registry.conditions.records, kConditionMenuBase, true);
    registry.actions.info = BuildInfoArray(registry.actions.records, kActionMenuBase, true);
    registry.expressions.info = BuildInfoArray(registry.expressions.records, kExpressionMenuBase, false);
    BuildHandlerTable(registry, AceKind::Condition);
    BuildHandlerTable(registry, AceKind::Action);
    BuildHandlerTable(registry, AceKind::Expression);
}

void ReleaseRecords(Registry& registry) {
    for (KindTables* tables : {&registry.conditions, &registry.actions, &registry.expressions}) {
        for (size_t i = 0; i < tables->records.Length(); ++i) delete tables->records[i];
        tables->records.Release();
    }
}

const uint16_t* FindInfoEntry(const InfoArray& info, int16_t code) {
    size_t at = 0;
    for (size_t entry = 0; entry < info.entryCount && at + 5 <= info.wordCount; ++entry) {
        const uint16_t* words = info.words + at;
        if (int16_t(words[2]) == code) return words;
        at += 5 + 2 * size_t(words[4]);
    }
    return nullptr;
}

int16_t CodeFromMenuId(const InfoArray& info, uint16_t menuId) {
    size_t at = 0;
    for (size_t entry = 0; entry < info.entryCount && at + 5 <= info.wordCount; ++entry) {
        const uint16_t* words = info.words + at;
        if (words[0] == menuId) return int16_t(words[2]);
        at += 5 + 2 * size_t(words[4]);
    }
    return -1;
}

}  // namespace vek
