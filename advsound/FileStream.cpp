#include "engineer/EngineerFactory.h"

namespace vek {

// The engineer's own file streams come with decoding; until then no file can
// be played through this engineer.
StreamRecord* VEK_STDCALL CreateFileStream(EngineerRecord*, const char*) { return nullptr; }

const CreateStreamFn kEngineerStreamFactory = CreateFileStream;

}  // namespace vek
