// The Advanced Sound engineer's action menu as the editor shows it, one line
// per item: text and ID, "---" for a separator, "Title >" opening a popup
// whose items are indented.
#pragma once

#include <string>
#include <vector>

namespace vek::testing {

inline const std::vector<std::string> kExpectedActionMenuLines = {
    "Add Sound to Cache [25000]",
    "Add Sound to Cache (masked extension) [25050]",
    "---",
    "Play Sound (simple) [25010]",
    "Play Sound Looped (simple) [25020]",
    "---",
    "Play Sound (w/ vol & pan) [25030]",
    "Play Sound Looped (w/ vol & pan) [25040]",
    "---",
    "Play With Altered Frequency >",
    "  Play Sound (simple) [25090]",
    "  Play Sound Looped (simple) [25100]",
    "  ---",
    "  Play Sound (w/ vol & pan) [25110]",
    "  Play Sound Looped (w/ vol & pan) [25120]",
    "---",
    "Traditional Engineer Options >",
    "  Enable Caching [25060]",
    "  Disable Caching [25070]",
    "  ---",
    "  Set Filetypes [25080]",
};

}  // namespace vek::testing
