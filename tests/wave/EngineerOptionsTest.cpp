// The options the Wave engineer carries, reached as the host reaches them:
// through the action table by code (0 file types, 1 enable caching, 2
// disable caching), on a run object made from stored data.
#include <cstring>
#include <string>

#include "engineer/ExtensionList.h"
#include "framework/EditData.h"
#include "framework/EngineerModule.h"
#include "testing/HostStandIn.h"
#include "tests/wave/WaveStreamFixture.h"
#include "wave/WaveEngineer.h"

extern "C" {
int16_t VEK_STDCALL CreateRunObject(RunData* object, EditData* edit, int32_t);
int16_t VEK_STDCALL DestroyRunObject(RunData* object, int32_t);
}

namespace vek::testing {
namespace {

constexpr int kSetFiletypes = 0;
constexpr int kEnableCaching = 1;
constexpr int kDisableCaching = 2;

int16_t RunAction(int code, RunData* object, const char* text = nullptr) {
    auto handler = reinterpret_cast<ActionHandler>(ModuleRegistry().actions.handlers[code]);
    return handler(object, int32_t(reinterpret_cast<intptr_t>(text)), 0);
}

// A run object made by the export from stored data, found by the core.
class WaveRunObject {
public:
    void Create(uint8_t cacheAtStartup, const std::vector<std::string>& extensions = {"wav"}) {
        EditData edit{};
        edit.cacheAtStartup = cacheAtStartup;
        for (size_t i = 0; i < extensions.size(); ++i) CopyExtensionSlot(edit.extensions[i], extensions[i].c_str());
        edit.extensionCount = int32_t(extensions.size());
        block_ = host_.NewRunObject(sizeof(RunData));
        ASSERT_EQ(CreateRunObject(object(), &edit, 0), 0);
        core_.Adopt(block_.data(), block_.size());
    }
    ~WaveRunObject() {
        if (block_.empty()) return;
        DestroyRunObject(object(), 0);
        std::free(object()->engineer);  // the record is the core's; the test plays the core
    }

    RunData* object() { return reinterpret_cast<RunData*>(block_.data()); }
    StreamHandle MakeStream(const std::string& path) {
        return StreamHandle(object()->engineer->createStream(object()->engineer, path.c_str()));
    }

    HostStandIn host_;
    CoreStandIn core_;
    std::vector<uint8_t> block_;
};

class WaveObject : public ::testing::Test, protected WaveRunObject {
protected:
    ScratchFolder folder_;
};

TEST_F(WaveObject, CacheAtStartupPicksTheModeOfTheVeryFirstStreams) {
    const std::string path = folder_.Write("a.wav", WaveBytes({}, SampleBytes(64)));
    for (uint8_t cache : {0, 1}) {
        WaveRunObject run;
        run.Create(cache);
        EXPECT_EQ(run.object()->cachingEnabled, cache);
        StreamHandle stream = run.MakeStream(path);
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(WaveStateOf(stream.get()).caching, cache);
        EXPECT_EQ(stream->lengthMs == -1, cache == 0) << "streaming mode knows its length only after open";
    }
}

TEST_F(WaveObject, CachingActionsSetAndClearTheFlag) {
    Create(0);
    EXPECT_EQ(RunAction(kEnableCaching, object()), 0);
    EXPECT_EQ(object()->cachingEnabled, 1);
    EXPECT_EQ(RunAction(kEnableCaching, object()), 0);
    EXPECT_EQ(object()->cachingEnabled, 1);
    EXPECT_EQ(RunAction(kDisableCaching, object()), 0);
    EXPECT_EQ(object()->cachingEnabled, 0);
    EXPECT_EQ(core_.CallStrings(), std::vector<std::string>{"AddEngineerExtension wav"}) << "nothing but the registration at adoption";
}

// Each stream keeps the mode it was made with: the memory stream plays the
// data as it was, the streaming one what the file holds when it is read.
TEST_F(WaveObject, TogglingCachingLeavesStreamsAlreadyMade) {
    Create(1);
    const std::vector<uint8_t> before = SampleBytes(100, 1);
    const std::vector<uint8_t> after = SampleBytes(100, 2);
    const std::string path = folder_.Write("t.wav", WaveBytes({}, before));

    StreamHandle memory = MakeStream(path);
    RunAction(kDisableCaching, object());
    StreamHandle streaming = MakeStream(path);
    RunAction(kEnableCaching, object());
    ASSERT_NE(memory, nullptr);
    ASSERT_NE(streaming, nullptr);
    EXPECT_EQ(WaveStateOf(memory.get()).caching, 1);
    EXPECT_EQ(WaveStateOf(streaming.get()).caching, 0);

    ASSERT_FALSE(folder_.Write("t.wav", WaveBytes({}, after)).empty());
    for (StreamRecord* stream : {memory.get(), streaming.get()}) ASSERT_EQ(stream->open(stream), 0);
    EXPECT_EQ(ReadToEnd(memory.get(), 64), before);
    EXPECT_EQ(ReadToEnd(streaming.get(), 64), after);
}

TEST_F(WaveObject, SetEngineerFiletypesReplacesTheRegistrationThroughOneFreshRecord) {
    Create(0);
    core_.ClearCalls();
    EngineerRecord* made = object()->engineer;
    EXPECT_EQ(RunAction(kSetFiletypes, object(), ".it .xm .mod .s3m"), 0);

    const std::vector<std::string> expected = {"UnregisterEngineer",        "AddEngineerExtension it",
                                               "AddEngineerExtension xm",   "AddEngineerExtension mod",
                                               "AddEngineerExtension s3m", "RegisterEngineer"};
    ASSERT_EQ(core_.CallStrings(), expected);
    auto* fresh = static_cast<EngineerRecord*>(const_cast<void*>(core_.calls()[0].record));
    for (const CoreCall& call : core_.calls()) EXPECT_EQ(call.record, fresh) << call.op;
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, made);
    EXPECT_EQ(object()->engineer, made) << "the record made at creation stays in the run object";
    EXPECT_EQ(std::memcmp(fresh->magic, "VEKE", 4), 0);
    EXPECT_EQ(fresh->owner, object());
    EXPECT_EQ(fresh->core, nullptr) << "the core fills it";
    EXPECT_EQ(fresh->extensionCount, 0);
    EXPECT_EQ(fresh->extensions[0][0], 0) << "the extensions live only with the core";
    EXPECT_EQ(fresh->createStream, &CreateWaveStream);
    std::free(fresh);  // the core's to keep; the test plays the core
}

TEST_F(WaveObject, SetEngineerFiletypesWithoutExtensionsStillReregisters) {
    Create(0);
    const char* texts[] = {"", "wav aiff", "   ", "."};
    for (const char* text : texts) {
        core_.ClearCalls();
        RunAction(kSetFiletypes, object(), text);
        const std::vector<std::string> expected = {"UnregisterEngineer", "RegisterEngineer"};
        EXPECT_EQ(core_.CallStrings(), expected) << '"' << text << '"';
        ASSERT_EQ(core_.calls().size(), 2u);
        EXPECT_EQ(core_.calls()[0].record, core_.calls()[1].record);
        std::free(const_cast<void*>(core_.calls()[0].record));
    }
}

TEST_F(WaveObject, EachSetEngineerFiletypesMakesAnotherRecord) {
    Create(0);
    core_.ClearCalls();
    RunAction(kSetFiletypes, object(), ".wav");
    RunAction(kSetFiletypes, object(), ".wav");
    ASSERT_EQ(core_.calls().size(), 6u);
    EXPECT_NE(core_.calls()[0].record, core_.calls()[3].record);
    std::free(const_cast<void*>(core_.calls()[0].record));
    std::free(const_cast<void*>(core_.calls()[3].record));
}

// Before the core has found the object there is no one to register with.
TEST(WaveOptions, SetEngineerFiletypesBeforeTheCoreFoundTheObjectDoesNothing) {
    HostStandIn host;
    std::vector<uint8_t> block = host.NewRunObject(sizeof(RunData));
    auto* object = reinterpret_cast<RunData*>(block.data());
    const std::vector<uint8_t> untouched = block;
    EXPECT_EQ(RunAction(kSetFiletypes, object, ".it .xm"), 0);
    EXPECT_EQ(block, untouched);
}

TEST_F(WaveObject, StoredEntriesReachTheCoreAsTheyStand) {
    Create(0, {".wav", "w v", "abcdefghijkl"});
    const std::vector<std::string> expected = {"AddEngineerExtension .wav", "AddEngineerExtension w v",
                                               "AddEngineerExtension abcdefghijkl"};
    EXPECT_EQ(core_.CallStrings(), expected);
}

TEST(WaveOptions, TheDefaultListNamesTheOneTypeTheEngineerPlays) {
    std::vector<std::string> extensions;
    ForEachExtension(kWaveDefaultExtensionList, [&](const char* e) { extensions.push_back(e); });
    EXPECT_EQ(extensions, std::vector<std::string>{"wav"});
}

}  // namespace
}  // namespace vek::testing
