// What the Wave engineer offers tools beside its exports.
#pragma once

namespace vek {

// The extension list of a Wave object made without stored data: the one
// file type it plays.
inline constexpr char kWaveDefaultExtensionList[] = ".wav";

}  // namespace vek
