// The Wave engineer's declaration: what it reports, and its registrations in
// code order.
#include "engineer/EngineerOptions.h"
#include "framework/EngineerModule.h"

namespace vek {
namespace {

constexpr AceRegistration kWaveRegistrations[] = {
    VEK_ACTION(SetEngineerFiletypes, "Set Engineer Filetypes", {1, {{kParamText, kFiletypesParamName}}}),
    VEK_ACTION(EnableCaching, "Enable Caching", {0, {}}),
    VEK_ACTION(DisableCaching, "Disable Caching", {0, {}}),
};

}  // namespace

constexpr EngineerModule kEngineerModule = {
    {FourCC('V', 'E', 'W', 'V'), "PCM WAVE", "Allows for playback of PCM wave files in the Vek Audio System", 1.05f,
     kPluginTypeEngineer},
    kWaveRegistrations,
    sizeof kWaveRegistrations / sizeof kWaveRegistrations[0],
};

}  // namespace vek
