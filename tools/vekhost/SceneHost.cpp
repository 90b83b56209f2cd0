#include "tools/vekhost/SceneHost.h"

#include <algorithm>
#include <cstring>

#include "framework/ObjectHeader.h"
#include "platform/Platform.h"
#include "testing/EngineerLibrary.h"

namespace vekhost {

namespace {

using ActionHandler = int16_t(VEK_STDCALL*)(void* object, int32_t param1, int32_t param2);
using ExpressionHandler = int32_t(VEK_STDCALL*)(void* object, int32_t cookie);

constexpr int32_t kKindText = -1;
constexpr int32_t kKindInteger = 0;
constexpr int16_t kLargestRunData = 0x7FFF;
// Hosts alive now; the routines that get only an application handle check it against these.
std::vector<SceneHost*> g_liveHosts;

// The extension-list rule: each extension follows a dot and ends at the next
// dot, cut at its first blank.
int FillExtensionSlots(const std::string& list, EditData& edit) {
    std::memset(edit.extensions, 0, sizeof edit.extensions);
    int count = 0;
    size_t at = list.find('.');
    while (at != std::string::npos && at + 1 < list.size() && count < vek::kExtensionSlots) {
        const size_t next = list.find('.', at + 1);
        std::string extension = list.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        extension = extension.substr(0, extension.find(' '));
        std::strncpy(edit.extensions[count], extension.c_str(), vek::kExtensionMaxChars);
        ++count;
        at = next;
    }
    return count;
}

}  // namespace

struct SceneHost::Engineer {
    std::string file;
    std::unique_ptr<vek::testing::EngineerLibrary> library;
    PluginInfo info;
    RunObjectInfos infos;
    size_t runDataSize = 0;
    EditData stored;
    EditData objectData;          // what the current run object was made from; lives as long as it
    std::vector<uint8_t> object;  // the current frame's run data; empty between frames
};

SceneHost::SceneHost() {
    run_.owner = this;
    services_.owner = this;
    run_.header.application = application();
    run_.header.FetchActionParameter = FetchActionParameter;
    run_.header.FetchFirstExpressionParameter = FetchFirstExpressionParameter;
    run_.header.FetchNextExpressionParameter = FetchNextExpressionParameter;
    run_.header.services = &services_.services;
    services_.services.GetAppExtensionData = GetAppExtensionData;
    services_.services.SetAppExtensionData = SetAppExtensionData;
    services_.services.InsertProperties = InsertProperties;
    g_liveHosts.push_back(this);
}

SceneHost::~SceneHost() {
    // Objects and the application end before their libraries are unloaded.
    for (auto& engineer : engineers_) {
        if (!engineer->object.empty())
            engineer->library->exports().DestroyRunObject(engineer->object.data(), 0);
        engineer->object.clear();
    }
    EndApp();
    engineers_.clear();
    g_liveHosts.erase(std::remove(g_liveHosts.begin(), g_liveHosts.end(), this), g_liveHosts.end());
}

SceneHost* SceneHost::HostOfObject(RunData* object) {
    RunHeader* header = reinterpret_cast<ObjectHeader*>(object)->runHeader;
    return reinterpret_cast<HeaderBlock*>(header)->owner;
}

SceneHost* SceneHost::HostOfApplication(void* application) {
    auto it = std::find(g_liveHosts.begin(), g_liveHosts.end(), static_cast<SceneHost*>(application));
    return it == g_liveHosts.end() ? nullptr : *it;
}

// --- Loading

bool SceneHost::AddLibrary(const std::string& folder, const std::string& file) {
    auto engineer = std::make_unique<Engineer>();
    engineer->file = file;
    engineer->library = std::make_unique<vek::testing::EngineerLibrary>(folder + file);
    const vek::testing::EngineerLibrary& library = *engineer->library;
    if (!library.loaded()) {
        skipped_.push_back(file + ": not a loadable library");
        return false;
    }
    if (!library.complete()) {
        skipped_.push_back(file + ": not an engineer (the host's exports are missing)");
        return false;
    }
    const vek::testing::EngineerExports& x = library.exports();
    std::memset(&engineer->info, 0, sizeof engineer->info);
    x.VekGrabInfos(&engineer->info.identifier, engineer->info.name, engineer->info.author, engineer->info.copyright,
                   engineer->info.description, engineer->info.url, &engineer->info.version, &engineer->info.type);
    engineer->info.name[sizeof engineer->info.name - 1] = '\0';
    for (int32_t code : {0, 2, 6, 7}) x.GetInfos(code);  // asked as the host asks; the answers are the host's
    std::memset(&engineer->infos, 0, sizeof engineer->infos);
    x.GetRunObjectInfos(0, &engineer->infos);
    const int16_t size = x.GetRunObjectDataSize(0, 0);
    if (size < int16_t(sizeof(ObjectHeader) + 20) || size > kLargestRunData ||
        engineer->infos.editDataSize != int16_t(sizeof(EditData)) || engineer->infos.actionRoutines == nullptr) {
        skipped_.push_back(file + ": its run object or object data is not an engineer's");
        return false;
    }
    engineer->runDataSize = size_t(size);

    EngineerDescription description;
    description.name = engineer->info.name[0] != '\0' ? engineer->info.name : file;
    description.file = file;
    description.identifier = engineer->infos.identifier;
    for (int16_t code = 0; code < engineer->infos.actionCount; ++code)
        description.actions.push_back(DescribeAce(description.identifier, false, code,
                                                  static_cast<const uint16_t*>(x.GetActionInfos(0, code))));
    for (int16_t code = 0; code < engineer->infos.expressionCount; ++code)
        description.expressions.push_back(DescribeAce(description.identifier, true, code,
                                                      static_cast<const uint16_t*>(x.GetExpressionInfos(0, code))));

    const StoredDefaults defaults = DefaultStoredData(description.identifier);
    std::memset(&engineer->stored, 0, sizeof engineer->stored);
    engineer->stored.extensionCount = FillExtensionSlots(defaults.filetypes, engineer->stored);
    engineer->stored.cacheAtStartup = defaults.cacheAtStartup ? 1 : 0;

    descriptions_.push_back(description);
    engineers_.push_back(std::move(engineer));
    return true;
}

bool SceneHost::LoadEngineers(const std::string& folder, std::string& error) {
    std::vector<std::string> files = vek::platform::FindFiles(folder, "Vek*.mfx");
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) AddLibrary(folder, file);
    if (!engineers_.empty()) return true;
    error = "no engineer library (Vek*.mfx) in " + (folder.empty() ? std::string(".") : folder);
    for (const std::string& why : skipped_) error += "; " + why;
    return false;
}

void SceneHost::StoreObjectData(const ObjectSetup& setup) {
    Engineer& engineer = *engineers_.at(setup.engineer);
    if (setup.hasFiletypes) engineer.stored.extensionCount = FillExtensionSlots(setup.filetypes, engineer.stored);
    if (setup.hasCache) engineer.stored.cacheAtStartup = setup.cacheAtStartup ? 1 : 0;
}

// --- The life cycle

void SceneHost::StartApp() {
    for (auto& engineer : engineers_) engineer->library->exports().StartApp(&services_.services, application());
    appStarted_ = true;
}

void SceneHost::EndApp() {
    if (!appStarted_) return;
    for (auto& engineer : engineers_) engineer->library->exports().EndApp(&services_.services, application());
    appStarted_ = false;
}

void SceneHost::CreateObjects(MixingCore& core) {
    for (auto& engineer : engineers_) {
        if (!engineer->object.empty()) continue;
        engineer->object.assign(engineer->runDataSize, 0);
        ObjectHeader header{};
        header.runHeader = &run_.header;
        std::memcpy(engineer->object.data(), &header, sizeof header);
        engineer->objectData = engineer->stored;  // the engineer may not change what the host keeps
        const vek::testing::EngineerExports& x = engineer->library->exports();
        x.CreateRunObject(engineer->object.data(), &engineer->objectData, 0);
        x.HandleRunObject(engineer->object.data());
    }
    // The core finds the objects once they all exist, in the order they were made.
    for (auto& engineer : engineers_) core.Adopt(engineer->object.data(), engineer->object.size());
}

void SceneHost::DestroyObjects(MixingCore& core) {
    for (auto& engineer : engineers_) {
        if (engineer->object.empty()) continue;
        engineer->library->exports().DestroyRunObject(engineer->object.data(), 0);
        core.ForgetObject(engineer->object.data());
        engineer->object.clear();
        engineer->object.shrink_to_fit();
    }
}

EngineerRecord* SceneHost::RecordOf(size_t index) const {
    const Engineer& engineer = *engineers_.at(index);
    if (engineer.object.empty()) return nullptr;
    EngineerRecord* record;
    std::memcpy(&record, engineer.object.data() + engineer.object.size() - 12, sizeof record);
    return record;
}

std::string SceneHost::NameOfRecord(const EngineerRecord* record) const {
    if (record == nullptr) return {};
    for (size_t i = 0; i < engineers_.size(); ++i)
        if (!engineers_[i]->object.empty() && static_cast<const void*>(record->owner) == engineers_[i]->object.data())
            return descriptions_[i].name;
    return {};
}

// --- Calls and their parameters

void SceneHost::ServeParameters(const std::vector<SceneValue>& params) {
    values_.clear();
    types_.clear();
    texts_.clear();
    nextValue_ = 0;
    for (const SceneValue& value : params) {
        types_.push_back(value.type);
        if (value.type == kTypeInteger) {
            values_.push_back(value.integer);
        } else {
            texts_.push_back(value.text);
            values_.push_back(int32_t(reinterpret_cast<intptr_t>(texts_.back().c_str())));
        }
    }
}

int32_t SceneHost::NextParameter(int32_t kindAsked, bool expression) {
    if (nextValue_ >= values_.size()) {
        notes_.push_back(running_ + " asked for a parameter beyond the " + std::to_string(values_.size()) +
                         " it declares");
        return 0;
    }
    const bool text = types_[nextValue_] != kTypeInteger;
    const bool askedText = expression ? kindAsked == 1 : kindAsked == kKindText;
    const bool askedInteger = !expression && kindAsked == kKindInteger;
    if ((text && !askedText) || (!text && !askedInteger))
        notes_.push_back(running_ + " asked for parameter " + std::to_string(nextValue_ + 1) + " as kind " +
                         std::to_string(kindAsked) + ", but it is declared as " + TypeName(types_[nextValue_]));
    return values_[nextValue_++];
}

void SceneHost::RunAction(size_t index, const AceEntry& ace, const std::vector<SceneValue>& params) {
    Engineer& engineer = *engineers_.at(index);
    if (engineer.object.empty() || ace.expression || ace.code >= engineer.infos.actionCount) return;
    ServeParameters(params);
    running_ = descriptions_[index].name + " \"" + ace.Title() + "\"";
    auto handler = static_cast<ActionHandler*>(engineer.infos.actionRoutines)[ace.code];
    const int32_t first = values_.size() > 0 ? values_[0] : 0;
    const int32_t second = values_.size() > 1 ? values_[1] : 0;
    if (handler != nullptr) handler(engineer.object.data(), first, second);
    ServeParameters({});
}

int32_t SceneHost::Evaluate(size_t index, const AceEntry& ace, const std::vector<SceneValue>& params) {
    Engineer& engineer = *engineers_.at(index);
    if (engineer.object.empty() || !ace.expression || ace.code >= engineer.infos.expressionCount) return 0;
    ServeParameters(params);
    running_ = descriptions_[index].name + " \"" + ace.Title() + "\"";
    auto handler = static_cast<ExpressionHandler*>(engineer.infos.expressionRoutines)[ace.code];
    // The cookie identifies the evaluation to the parameter routines; any value serves.
    const int32_t result = handler != nullptr ? handler(engineer.object.data(), ace.code) : 0;
    ServeParameters({});
    return result;
}

int32_t VEK_STDCALL SceneHost::FetchActionParameter(RunData* object, int32_t kind, int32_t) {
    return HostOfObject(object)->NextParameter(kind, false);
}

int32_t VEK_STDCALL SceneHost::FetchFirstExpressionParameter(RunData* object, int32_t type, int32_t) {
    SceneHost* host = HostOfObject(object);
    host->nextValue_ = 0;
    return host->NextParameter(type, true);
}

int32_t VEK_STDCALL SceneHost::FetchNextExpressionParameter(RunData* object, int32_t type, int32_t) {
    return HostOfObject(object)->NextParameter(type, true);
}

void* VEK_STDCALL SceneHost::GetAppExtensionData(void* application, void* module) {
    SceneHost* host = HostOfApplication(application);
    if (host == nullptr) return nullptr;
    auto it = host->appData_.find(module);
    return it == host->appData_.end() ? nullptr : it->second;
}

void VEK_STDCALL SceneHost::SetAppExtensionData(void* application, void* module, void* data) {
    if (SceneHost* host = HostOfApplication(application)) host->appData_[module] = data;
}

void VEK_STDCALL SceneHost::InsertProperties(EditData*, int32_t, const PropertyEntry*, int32_t, int32_t) {}

}  // namespace vekhost
