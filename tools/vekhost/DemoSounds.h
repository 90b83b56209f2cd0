// The sounds of the demo scene, synthesised here so that the project ships
// no recordings: a drum hit, a tone, an 8-bit blip, a 24-bit hi-hat, and a
// wave file with a chunk before its data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vekhost {

struct DemoSound {
    std::string file;
    std::vector<uint8_t> bytes;
};

std::vector<DemoSound> MakeDemoSounds();

// Writes every demo sound into `folder` (ending with a separator or empty).
bool WriteDemoSounds(const std::string& folder, std::string& error);

}  // namespace vekhost
