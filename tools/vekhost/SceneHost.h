// vekhost's stand-in for the game-creation host: it loads the engineer
// libraries by file name and drives them through the host's life cycle —
// GetInfos, GetRunObjectInfos, GetRunObjectDataSize, StartApp, per frame
// CreateRunObject from stored object data, the actions and expressions through
// the handler tables with their parameters served in order, DestroyRunObject,
// EndApp — with the records and routines the engineers read.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engineer/PluginInfo.h"
#include "framework/EditData.h"
#include "framework/HostServices.h"
#include "framework/RunHeader.h"
#include "framework/RunObjectInfos.h"
#include "tools/vekhost/EngineerCatalog.h"
#include "tools/vekhost/MixingCore.h"
#include "tools/vekhost/SceneFormat.h"

namespace vek::testing {
class EngineerLibrary;
}

namespace vekhost {

class SceneHost {
public:
    SceneHost();
    ~SceneHost();
    SceneHost(const SceneHost&) = delete;
    SceneHost& operator=(const SceneHost&) = delete;

    // Loads every Vek*.mfx of `folder` in name order and asks each what it is.
    // False with `error` when no engineer library is there. Libraries that
    // are not engineers are left out and named in `skipped`.
    bool LoadEngineers(const std::string& folder, std::string& error);
    const std::vector<std::string>& skipped() const { return skipped_; }
    const std::vector<EngineerDescription>& descriptions() const { return descriptions_; }

    // The object data stored for an engineer (an `object` line of a scene).
    void StoreObjectData(const ObjectSetup& setup);

    // --- The life cycle.
    void StartApp();
    // A new frame: every engineer's run object made from its stored data and
    // found by the core.
    void CreateObjects(MixingCore& core);
    void DestroyObjects(MixingCore& core);
    void EndApp();

    // Calls an action or expression through the handler table, serving
    // `params` as the host serves parameters.
    void RunAction(size_t engineer, const AceEntry& ace, const std::vector<SceneValue>& params);
    int32_t Evaluate(size_t engineer, const AceEntry& ace, const std::vector<SceneValue>& params);

    // The engineer record of an engineer's current run object (null between frames).
    EngineerRecord* RecordOf(size_t engineer) const;
    // The engineer whose run object made a record; empty when none does.
    std::string NameOfRecord(const EngineerRecord* record) const;

    // What the host noticed the engineers doing wrong (asking for more
    // parameters than they declare, or of another kind).
    const std::vector<std::string>& notes() const { return notes_; }

private:
    struct Engineer;
    struct HeaderBlock {
        RunHeader header;
        SceneHost* owner;
    };
    struct ServicesBlock {
        HostServices services;
        SceneHost* owner;
    };

    static int32_t VEK_STDCALL FetchActionParameter(RunData* object, int32_t kind, int32_t zero);
    static int32_t VEK_STDCALL FetchFirstExpressionParameter(RunData* object, int32_t type, int32_t cookie);
    static int32_t VEK_STDCALL FetchNextExpressionParameter(RunData* object, int32_t type, int32_t cookie);
    static void* VEK_STDCALL GetAppExtensionData(void* application, void* module);
    static void VEK_STDCALL SetAppExtensionData(void* application, void* module, void* data);
    static void VEK_STDCALL InsertProperties(EditData*, int32_t, const PropertyEntry*, int32_t, int32_t);
    static SceneHost* HostOfObject(RunData* object);
    static SceneHost* HostOfApplication(void* application);

    bool AddLibrary(const std::string& folder, const std::string& file);
    void ServeParameters(const std::vector<SceneValue>& params);
    int32_t NextParameter(int32_t kindAsked, bool expression);
    void* application() { return this; }

    HeaderBlock run_{};
    ServicesBlock services_{};
    std::vector<std::unique_ptr<Engineer>> engineers_;
    std::vector<EngineerDescription> descriptions_;
    std::vector<std::string> skipped_;
    std::map<void*, void*> appData_;  // by module handle; one application
    bool appStarted_ = false;

    // The parameters of the call running now.
    std::vector<int32_t> values_;
    std::vector<int16_t> types_;
    std::deque<std::string> texts_;
    size_t nextValue_ = 0;
    std::string running_;
    std::vector<std::string> notes_;
};

}  // namespace vekhost
