#include "wave/WaveStream.h"

#include "engineer/EngineerFactory.h"

namespace vek {

// The wave stream itself comes with its own change; until then no file can
// be played through this engineer.
StreamRecord* VEK_STDCALL CreateWaveStream(EngineerRecord*, const char*) { return nullptr; }

const CreateStreamFn kEngineerStreamFactory = CreateWaveStream;

}  // namespace vek
