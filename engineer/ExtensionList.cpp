#include "engineer/ExtensionList.h"

#include "engineer/AudioCore.h"
#include "engineer/EngineerRecord.h"

namespace vek {

int HandExtensionsToCore(const char* text, AudioCore* core, EngineerRecord* engineer) {
    return ForEachExtension(text, [&](const char* extension) {
        core->AddEngineerExtension(engineer, extension);
    });
}

void CopyExtensionSlot(char* slot, const char* text) {
    std::memset(slot, 0, kExtensionSlotSize);
    for (int i = 0; i < kExtensionMaxChars && text[i] != '\0'; ++i) slot[i] = text[i];
}

}  // namespace vek
