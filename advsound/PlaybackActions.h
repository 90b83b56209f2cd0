// The Advanced Sound engineer's own actions and its expression.
#pragma once

#include "framework/Ace.h"

namespace vek {

inline constexpr char kSoundFileParam[] = "Sound File";
inline constexpr char kStringIdParam[] = "String ID";
inline constexpr char kLoopsParam[] = "Number of Loops";
inline constexpr char kVolumeParam[] = "Volume (Value from 0=SILENT to 1000=FULL)";
inline constexpr char kPanParam[] = "Pan (Value from -1000=LEFT to 1000=RIGHT (0=CENTER))";
inline constexpr char kFrequencyParam[] = "Frequency Multiplier (1000 = 1.0x, 500 = 0.5x, 2000 = 2.0x, etc)";
inline constexpr char kExtensionMaskParam[] = "File Extension (no .) (eg \"mod\")";

void AddSoundToCache(RunData* object, int32_t, int32_t);
void AddSoundToCacheMasked(RunData* object, int32_t, int32_t);
void PlaySound(RunData* object, int32_t, int32_t);
void PlaySoundLooped(RunData* object, int32_t, int32_t);
void PlaySoundVolumePan(RunData* object, int32_t, int32_t);
void PlaySoundVolumePanLooped(RunData* object, int32_t, int32_t);
void PlaySoundFrequency(RunData* object, int32_t, int32_t);
void PlaySoundLoopedFrequency(RunData* object, int32_t, int32_t);
void PlaySoundVolumePanFrequency(RunData* object, int32_t, int32_t);
void PlaySoundVolumePanLoopedFrequency(RunData* object, int32_t, int32_t);
int32_t SoundIdLastDeck(RunData* object, int32_t cookie);

}  // namespace vek
