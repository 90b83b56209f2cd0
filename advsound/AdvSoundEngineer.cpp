// The Advanced Sound engineer's declaration: what it reports, and its
// registrations in code order (the codes are binding).
#include "advsound/PlaybackActions.h"
#include "engineer/EngineerOptions.h"
#include "framework/EngineerModule.h"

namespace vek {
namespace {

constexpr ParamDecl kId = {kParamText, kStringIdParam};
constexpr ParamDecl kLoops = {kParamInteger, kLoopsParam};
constexpr ParamDecl kVolume = {kParamInteger, kVolumeParam};
constexpr ParamDecl kPan = {kParamInteger, kPanParam};
constexpr ParamDecl kFrequency = {kParamInteger, kFrequencyParam};
constexpr ParamDecl kFile = {kParamFile, kSoundFileParam};

constexpr AceRegistration kAdvSoundRegistrations[] = {
    VEK_ACTION(AddSoundToCache, "Add Sound %0 to cache with ID %1", {2, {kFile, kId}}),
    VEK_ACTION(PlaySound, "Play Sound ID %0", {1, {kId}}),
    VEK_ACTION(PlaySoundLooped, "Play Sound ID %0 looping %1 times", {2, {kId, kLoops}}),
    VEK_ACTION(PlaySoundVolumePan, "Play Sound ID %0 with volume %1 and pan %2", {3, {kId, kVolume, kPan}}),
    VEK_ACTION(PlaySoundVolumePanLooped, "Play Sound ID %0 with volume %1 and pan %2 looping %3 times",
               {4, {kId, kVolume, kPan, kLoops}}),
    VEK_ACTION(AddSoundToCacheMasked, "Add Sound %0 to cache with ID %1 and extension mask %2",
               {3, {kFile, kId, {kParamText, kExtensionMaskParam}}}),
    VEK_ACTION(EnableCaching, "Enable Caching", {0, {}}),
    VEK_ACTION(DisableCaching, "Disable Caching", {0, {}}),
    VEK_ACTION(SetEngineerFiletypes, "Set Engineer Filetypes", {1, {{kParamText, kFiletypesParamName}}}),
    VEK_ACTION(PlaySoundFrequency, "Play Sound ID %0 at Frequency * %1", {2, {kId, kFrequency}}),
    VEK_ACTION(PlaySoundLoopedFrequency, "Play Sound ID %0 looping %1 times with Frequency * %2",
               {3, {kId, kLoops, kFrequency}}),
    VEK_ACTION(PlaySoundVolumePanFrequency, "Play Sound ID %0 with volume %1 and pan %2 with Frequency * %3",
               {4, {kId, kVolume, kPan, kFrequency}}),
    VEK_ACTION(PlaySoundVolumePanLoopedFrequency,
               "Play Sound ID %0 with volume %1 and pan %2 looping %3 times with Frequency * %4",
               {5, {kId, kVolume, kPan, kLoops, kFrequency}}),
    VEK_EXPRESSION(SoundIdLastDeck, "SoundIDLastDeck(", {1, {{kParamExpressionText, "Sound ID"}}}),
};

}  // namespace

constexpr EngineerModule kEngineerModule = {
    {FourCC('V', 'E', 'A', 'S'), "Advanced Sound", "Allows for playback of cached wave files in the Vek Audio System",
     1.12f, kPluginTypeEngineer},
    kAdvSoundRegistrations,
    sizeof kAdvSoundRegistrations / sizeof kAdvSoundRegistrations[0],
};

}  // namespace vek
