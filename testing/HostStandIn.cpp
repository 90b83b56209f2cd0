#include "testing/HostStandIn.h"

#include <cstddef>
#include <cstring>

namespace vek::testing {

namespace {
// Each process sees one host at a time in these tests; the static routines
// reach it through the record they are handed.
HostStandIn* g_servicesOwner = nullptr;
}  // namespace

HostStandIn::HostStandIn() {
    run_.owner = this;
    services_.owner = this;
    run_.header.application = reinterpret_cast<void*>(0xA0A0);
    run_.header.FetchActionParameter = FetchActionParameter;
    run_.header.FetchFirstExpressionParameter = FetchFirstExpressionParameter;
    run_.header.FetchNextExpressionParameter = FetchNextExpressionParameter;
    run_.header.services = &services_.services;
    services_.services.GetAppExtensionData = GetAppExtensionData;
    services_.services.SetAppExtensionData = SetAppExtensionData;
    services_.services.InsertProperties = InsertProperties;
    g_servicesOwner = this;
}

HostStandIn* HostStandIn::FromRunHeader(RunHeader* header) {
    return reinterpret_cast<RunHeaderBlock*>(header)->owner;
}

HostStandIn* HostStandIn::FromServices(HostServices* services) {
    return reinterpret_cast<ServicesBlock*>(services)->owner;
}

std::vector<uint8_t> HostStandIn::NewRunObject(size_t size) {
    std::vector<uint8_t> block(size, 0);
    ObjectHeader header{};
    header.runHeader = &run_.header;
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

void HostStandIn::QueueActionText(const std::string& text) {
    texts_.push_back(text);
    actionParams_.push_back(int32_t(reinterpret_cast<intptr_t>(texts_.back().c_str())));
}

void HostStandIn::QueueActionInteger(int32_t value) { actionParams_.push_back(value); }

void HostStandIn::QueueExpressionText(const std::string& text) {
    texts_.push_back(text);
    expressionParams_.push_back(int32_t(reinterpret_cast<intptr_t>(texts_.back().c_str())));
}

void* HostStandIn::ExtensionData(void* application, void* module) const {
    auto it = appData_.find({application, module});
    return it == appData_.end() ? nullptr : it->second;
}

static HostStandIn* HostOf(RunData* object) {
    return HostStandIn::FromRunHeader(reinterpret_cast<ObjectHeader*>(object)->runHeader);
}

int32_t VEK_STDCALL HostStandIn::FetchActionParameter(RunData* object, int32_t kind, int32_t) {
    HostStandIn* host = HostOf(object);
    host->fetchLog_.push_back("action " + std::to_string(kind));
    if (host->actionParams_.empty()) return 0;
    const int32_t value = host->actionParams_.front();
    host->actionParams_.pop_front();
    return value;
}

int32_t HostStandIn::NextExpressionParameter() {
    if (expressionParams_.empty()) return 0;
    const int32_t value = expressionParams_.front();
    expressionParams_.pop_front();
    return value;
}

int32_t VEK_STDCALL HostStandIn::FetchFirstExpressionParameter(RunData* object, int32_t type, int32_t cookie) {
    HostStandIn* host = HostOf(object);
    host->fetchLog_.push_back("first " + std::to_string(type) + " " + std::to_string(cookie));
    return host->NextExpressionParameter();
}

int32_t VEK_STDCALL HostStandIn::FetchNextExpressionParameter(RunData* object, int32_t type, int32_t cookie) {
    HostStandIn* host = HostOf(object);
    host->fetchLog_.push_back("next " + std::to_string(type) + " " + std::to_string(cookie));
    return host->NextExpressionParameter();
}

void* VEK_STDCALL HostStandIn::GetAppExtensionData(void* application, void* module) {
    return g_servicesOwner->ExtensionData(application, module);
}

void VEK_STDCALL HostStandIn::SetAppExtensionData(void* application, void* module, void* data) {
    g_servicesOwner->appData_[{application, module}] = data;
}

void VEK_STDCALL HostStandIn::InsertProperties(EditData* edit, int32_t a, const PropertyEntry* table, int32_t b,
                                               int32_t c) {
    g_servicesOwner->inserted_.push_back({edit, a, b, c, table});
}

}  // namespace vek::testing
