#include "engineer/EngineerFactory.h"

#include <cstdlib>
#include <cstring>

#include "engineer/AudioCore.h"
#include "engineer/ExtensionList.h"

namespace vek {

int32_t ClampExtensionCount(int32_t count) {
    if (count < 0) return 0;
    if (count > kExtensionSlots) return kExtensionSlots;
    return count;
}

uint8_t VEK_STDCALL ProbeNever(int32_t, int32_t) { return 0; }

void VEK_STDCALL RegisterStoredExtensions(EngineerRecord* engineer) {
    if (engineer == nullptr || engineer->core == nullptr) return;
    const int32_t count = ClampExtensionCount(engineer->extensionCount);
    for (int32_t i = 0; i < count; ++i)
        engineer->core->AddEngineerExtension(engineer, engineer->extensions[i]);
}

EngineerRecord* MakeEngineerRecord(int32_t count, const char* const* list, RunData* owner) {
    auto* engineer = static_cast<EngineerRecord*>(std::calloc(1, sizeof(EngineerRecord)));
    if (engineer == nullptr) return nullptr;
    count = ClampExtensionCount(count);
    engineer->createStream = kEngineerStreamFactory;
    engineer->registerExtensions = RegisterStoredExtensions;
    engineer->probe = ProbeNever;
    engineer->owner = owner;
    engineer->version = kEngineerRecordVersion;
    engineer->extensionCount = count;
    if (list != nullptr) {
        for (int32_t i = 0; i < count; ++i)
            if (list[i] != nullptr) CopyExtensionSlot(engineer->extensions[i], list[i]);
    }
    std::memcpy(engineer->magic, kEngineerMagic, sizeof engineer->magic);
    return engineer;
}

}  // namespace vek
