// What the Advanced Sound engineer declares beside its registrations.
#pragma once

namespace vek {
// The file types a new object of this engineer registers, as the editor
// fills them in.
inline constexpr char kAdvSoundDefaultExtensionList[] = ".wav .aiff";
}  // namespace vek
