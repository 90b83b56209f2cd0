// A stand-in for the game-creation host: the records the engineers read
// (ObjectHeader -> RunHeader -> HostServices), parameters served from queues
// in order, per-application extension data, and a log of inserted properties.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/HostServices.h"
#include "framework/ObjectHeader.h"
#include "framework/RunHeader.h"

namespace vek::testing {

class HostStandIn {
public:
    HostStandIn();
    HostStandIn(const HostStandIn&) = delete;
    HostStandIn& operator=(const HostStandIn&) = delete;

    RunHeader* runHeader() { return &run_.header; }
    HostServices* services() { return &services_.services; }
    void* application() const { return run_.header.application; }
    void setApplication(void* application) { run_.header.application = application; }
    void setWindow(void* window) { services_.services.window = window; }

    // A zeroed run-object block of `size` bytes whose header points here.
    std::vector<uint8_t> NewRunObject(size_t size);

    // Action parameters, served in order by FetchActionParameter.
    void QueueActionText(const std::string& text);
    void QueueActionInteger(int32_t value);
    // Expression parameters, served in order by the two expression routines.
    void QueueExpressionText(const std::string& text);

    // What the engineers asked for, in order: "action -1", "action 0",
    // "first 1 <cookie>", "next 1 <cookie>".
    const std::vector<std::string>& fetchLog() const { return fetchLog_; }
    size_t pendingActionParameters() const { return actionParams_.size(); }

    struct InsertedProperties {
        void* editData;
        int32_t a, b, c;
        const void* table;
    };
    const std::vector<InsertedProperties>& insertedProperties() const { return inserted_; }

    // The per-application slot as the host keeps it.
    void* ExtensionData(void* application, void* module) const;

    static HostStandIn* FromRunHeader(RunHeader* header);
    static HostStandIn* FromServices(HostServices* services);

private:
    static int32_t VEK_STDCALL FetchActionParameter(RunData* object, int32_t kind, int32_t zero);
    static int32_t VEK_STDCALL FetchFirstExpressionParameter(RunData* object, int32_t type, int32_t cookie);
    static int32_t VEK_STDCALL FetchNextExpressionParameter(RunData* object, int32_t type, int32_t cookie);
    static void* VEK_STDCALL GetAppExtensionData(void* application, void* module);
    static void VEK_STDCALL SetAppExtensionData(void* application, void* module, void* data);
    static void VEK_STDCALL InsertProperties(EditData* edit, int32_t a, const PropertyEntry* table, int32_t b,
                                             int32_t c);
    int32_t NextExpressionParameter();

    struct RunHeaderBlock {
        RunHeader header;
        HostStandIn* owner;
    } run_{};
    struct ServicesBlock {
        HostServices services;
        HostStandIn* owner;
    } services_{};
    std::deque<int32_t> actionParams_;
    std::deque<int32_t> expressionParams_;
    std::deque<std::string> texts_;  // keeps served texts alive
    std::vector<std::string> fetchLog_;
    std::map<std::pair<void*, void*>, void*> appData_;
    std::vector<InsertedProperties> inserted_;
};

}  // namespace vek::testing
