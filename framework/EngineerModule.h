// What each engineer library declares about itself, in one place, and the
// module-wide state the framework keeps for it.
#pragma once

#include "engineer/PluginDescription.h"
#include "framework/Registry.h"

namespace vek {

struct EngineerModule {
    PluginDescription plugin;  // also gives the host its identifier
    const AceRegistration* registrations;  // in registration order; codes follow it per kind
    size_t registrationCount;
};

// Defined by each engineer library.
extern const EngineerModule kEngineerModule;

// Runs the registrations and builds the tables once; later calls do nothing.
// Called when the library is attached to the process.
void AttachModule(void* moduleHandle);

// The library's instance handle, kept at attach.
void* ModuleHandle();
// The registry; attaches the module first if nothing did yet (a test that
// links the engineer into its executable).
const Registry& ModuleRegistry();

}  // namespace vek
