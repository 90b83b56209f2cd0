// The cache and play actions and the last-deck expression, called through
// the handler tables as the host calls them, with the core stand-in recording
// every call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fixtures.h"
#include "advsound/SoundCache.h"
#include "framework/EngineerModule.h"

namespace {

using advtest::RunObject;
using advtest::SourceEngineer;

constexpr int kAdd = 0;
constexpr int kAddMasked = 5;
constexpr int kPlayCodes[] = {1, 2, 3, 4, 9, 10, 11, 12};

int16_t RunAction(RunObject& run, int code) {
    auto handler = reinterpret_cast<vek::ActionHandler>(vek::ModuleRegistry().actions.handlers[code]);
    return handler(run.data(), 0, 0);
}

int32_t LastDeck(RunObject& run, const std::string& soundId) {
    auto handler = reinterpret_cast<vek::ExpressionHandler>(vek::ModuleRegistry().expressions.handlers[0]);
    run.host.QueueExpressionText(soundId);
    return handler(run.data(), 77);
}

// A run object whose core hands every file to a source engineer serving a
// small sound, with that sound already added under `soundId`.
struct Stage {
    explicit Stage(const char* soundId = "Boom") {
        source.behaviour.bytes = std::vector<uint8_t>(400, 0x11);
        source.behaviour.lengthMs = 1;
        run.core.findOverride = source.record();
        if (soundId != nullptr) Add(soundId, "boom.snd");
        run.core.ClearCalls();
    }
    void Add(const std::string& soundId, const std::string& file) {
        run.host.QueueActionText(file);
        run.host.QueueActionText(soundId);
        RunAction(run, kAdd);
    }
    // Queues the ID and the integers, runs the action and answers what it fetched.
    std::vector<std::string> Play(int code, const std::string& soundId, const std::vector<int32_t>& integers) {
        const size_t before = run.host.fetchLog().size();
        run.host.QueueActionText(soundId);
        for (int32_t value : integers) run.host.QueueActionInteger(value);
        EXPECT_EQ(RunAction(run, code), 0);
        return {run.host.fetchLog().begin() + ptrdiff_t(before), run.host.fetchLog().end()};
    }

    SourceEngineer source;
    RunObject run;
};

std::vector<std::string> Fetches(size_t integers) {
    std::vector<std::string> log = {"action -1"};
    log.insert(log.end(), integers, "action 0");
    return log;
}

struct PlayCase {
    int code;
    std::vector<int32_t> integers;  // in the action's parameter order
    std::vector<std::string> calls;
};

// Volume and pan go before PrepareDeck, the frequency after it; everything is
// divided by 1000 and nothing is clamped; loops below 1 play once.
const PlayCase kPlays[] = {
    {1, {}, {"GetVersion", "AllocateDeck", "AttachStream 3", "PrepareDeck 3", "PlayDeck 3 1"}},
    {2, {4}, {"GetVersion", "AllocateDeck", "AttachStream 3", "PrepareDeck 3", "PlayDeck 3 4"}},
    {3, {1500, -2000},
     {"GetVersion", "AllocateDeck", "AttachStream 3", "SetDeckVolume 3 1.5", "SetDeckPan 3 -2", "PrepareDeck 3",
      "PlayDeck 3 1"}},
    {4, {250, -500, 0},
     {"GetVersion", "AllocateDeck", "AttachStream 3", "SetDeckVolume 3 0.25", "SetDeckPan 3 -0.5", "PrepareDeck 3",
      "PlayDeck 3 1"}},
    {9, {500},
     {"GetVersion", "AllocateDeck", "AttachStream 3", "PrepareDeck 3", "SetDeckFrequency 3 0.5", "PlayDeck 3 1"}},
    {10, {-3, 2500},
     {"GetVersion", "AllocateDeck", "AttachStream 3", "PrepareDeck 3", "SetDeckFrequency 3 2.5", "PlayDeck 3 1"}},
    {11, {1000, 0, 1000},
     {"GetVersion", "AllocateDeck", "AttachStream 3", "SetDeckVolume 3 1", "SetDeckPan 3 0", "PrepareDeck 3",
      "SetDeckFrequency 3 1", "PlayDeck 3 1"}},
    {12, {0, 1000, 3, 2000},
     {"GetVersion", "AllocateDeck", "AttachStream 3", "SetDeckVolume 3 0", "SetDeckPan 3 1", "PrepareDeck 3",
      "SetDeckFrequency 3 2", "PlayDeck 3 3"}},
};

class PlayActions : public ::testing::TestWithParam<PlayCase> {};

TEST_P(PlayActions, CallTheCoreInTheStepOrder) {
    const PlayCase& c = GetParam();
    Stage stage;
    stage.run.core.freeDecks = {3, 4};
    EXPECT_EQ(stage.Play(c.code, "BOOM", c.integers), Fetches(c.integers.size()));
    EXPECT_EQ(stage.run.core.CallStrings(), c.calls);
    EXPECT_EQ(stage.run.host.pendingActionParameters(), 0u);

    // The deck plays a stream of this engineer over the cached sound, and the
    // sound knows its deck before the core opens the stream.
    SoundCache* cache = stage.run.cache();
    EXPECT_EQ(cache->Find("boom")->lastDeck, 3);
    StreamRecord* stream = stage.run.core.attached().at(3);
    EXPECT_EQ(stream->kind, 0x4441566Fu);
    EXPECT_EQ(stream->core, &stage.run.core);
    ASSERT_EQ(stream->open(stream), 0);
    uint8_t bytes[176];
    EXPECT_EQ(stream->read(176, bytes, stream), 176);
    EXPECT_EQ(bytes[175], 0x11);
}

INSTANTIATE_TEST_SUITE_P(EachPlay, PlayActions, ::testing::ValuesIn(kPlays),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

// 110 and 111 play the four basic actions only; 112 and above play all eight.
// A refused play says which version it needs and reads no parameter.
TEST(PlayVersions, BelowTheThresholdTheAuthorIsToldWhatToUpgrade) {
    const std::string play = "ReportError Upgrade Vek to v1.10+ to use this extension!";
    const std::string frequency = "ReportError Upgrade Vek to v1.12+ to use this extension!";
    for (int32_t version : {109, 110, 111, 112, 113}) {
        for (int code : kPlayCodes) {
            const bool usesFrequency = code >= 9;
            Stage stage;
            stage.run.core.version = version;
            stage.Play(code, "boom", {1000, 1000, 1000, 1000});
            const std::vector<std::string> calls = stage.run.core.CallStrings();
            const int32_t needed = usesFrequency ? 112 : 110;
            ASSERT_FALSE(calls.empty());
            if (version >= needed) {
                EXPECT_EQ(calls.back().rfind("PlayDeck 0", 0), 0u) << version << " code " << code;
            } else {
                const std::vector<std::string> refused = {"GetVersion", usesFrequency ? frequency : play};
                EXPECT_EQ(calls, refused) << version << " code " << code;
                EXPECT_EQ(stage.run.host.fetchLog().size(), 2u) << "only the Add's two parameters were read";
            }
        }
    }
}

TEST(PlayWithoutFreeDeck, StopsSilentlyBeforeReadingParameters) {
    for (int code : kPlayCodes) {
        Stage stage;
        stage.run.core.freeDecks.clear();
        EXPECT_TRUE(stage.Play(code, "boom", {1, 2, 3, 4}).empty()) << code;
        EXPECT_EQ(stage.run.core.CallStrings(), (std::vector<std::string>{"GetVersion", "AllocateDeck"})) << code;
    }
}

// An ID that is not in the cache (never added, or too long to have been)
// reads every parameter of the action and does nothing more.
TEST(PlayUnknownSound, ReadsAllParametersAndDoesNothingElse) {
    const std::string ids[] = {"never added", std::string(300, 'b')};
    for (const std::string& id : ids) {
        for (const PlayCase& c : kPlays) {
            Stage stage;
            EXPECT_EQ(stage.Play(c.code, id, c.integers), Fetches(c.integers.size())) << c.code;
            EXPECT_EQ(stage.run.core.CallStrings(), (std::vector<std::string>{"GetVersion", "AllocateDeck"}));
            EXPECT_TRUE(stage.run.core.attached().empty());
        }
    }
}

TEST(AddSoundToCache, AddsUnderTheIdOrReportsTheFileName) {
    Stage stage(nullptr);
    stage.Add("Hit", "sounds/hit.snd");
    EXPECT_EQ(stage.run.core.CallStrings(), (std::vector<std::string>{"FindEngineer sounds/hit.snd"}));
    EXPECT_NE(stage.run.cache()->Find("HIT"), nullptr);

    stage.run.core.ClearCalls();
    stage.source.behaviour.refusesFiles = true;
    stage.Add("Miss", "sounds/miss.snd");
    EXPECT_EQ(stage.run.core.CallStrings(),
              (std::vector<std::string>{"FindEngineer sounds/miss.snd",
                                        "ReportError Could not load sound sounds/miss.snd"}));
    EXPECT_EQ(stage.run.core.errorFormats().back(), "Could not load sound %s");
    EXPECT_EQ(stage.run.cache()->Find("miss"), nullptr);
    EXPECT_EQ(stage.run.cache()->head->next, nullptr) << "the cache holds only Hit";
}

TEST(AddSoundToCache, MaskedFormChoosesTheEngineerByTheGivenExtension) {
    Stage stage(nullptr);
    stage.run.core.findOverride = nullptr;
    stage.run.core.AddEngineerExtension(stage.source.record(), "mod");
    stage.run.core.ClearCalls();
    stage.run.host.QueueActionText("music/tune.xyz");
    stage.run.host.QueueActionText("tune");
    stage.run.host.QueueActionText("mod");
    RunAction(stage.run, kAddMasked);
    EXPECT_EQ(stage.run.host.fetchLog(), (std::vector<std::string>{"action -1", "action -1", "action -1"}));
    EXPECT_EQ(stage.run.core.CallStrings(), (std::vector<std::string>{"FindEngineer music/tune.xyz mask=mod"}));
    EXPECT_NE(stage.run.cache()->Find("tune"), nullptr);
}

// A file name that does not fit the 260-character buffer is refused with the
// name as it was given; no engineer is asked.
TEST(AddSoundToCache, NamesTooLongForTheBufferAreRefused) {
    Stage stage(nullptr);
    const std::string longName = "sounds/" + std::string(300, 'n') + ".snd";
    stage.Add("long", longName);
    EXPECT_EQ(stage.run.core.CallStrings(), (std::vector<std::string>{"ReportError Could not load sound " + longName}));
    stage.run.core.ClearCalls();
    stage.Add(std::string(260, 'i'), "ok.snd");
    EXPECT_EQ(stage.run.core.CallStrings().back(), "ReportError Could not load sound ok.snd");
}

TEST(LastDeckExpression, AnswersTheDeckOfTheLatestPlay) {
    Stage stage;
    stage.run.core.freeDecks = {3, 1, 2};
    EXPECT_EQ(LastDeck(stage.run, "nothing"), -1) << "not in the cache";
    EXPECT_EQ(LastDeck(stage.run, "boom"), -1) << "cached, never played";
    stage.Play(1, "boom", {});
    EXPECT_EQ(LastDeck(stage.run, "BOOM"), 3);
    stage.Play(2, "Boom", {2});
    EXPECT_EQ(LastDeck(stage.run, "boom"), 1);

    // The stream's open takes the deck the core wrote into it.
    StreamRecord* first = stage.run.core.attached().at(3);
    ASSERT_EQ(first->open(first), 0);
    EXPECT_EQ(LastDeck(stage.run, "boom"), 3);

    // Adding the ID again: plays use the newer entry, and so does the expression.
    stage.Add("BOOM", "other.snd");
    EXPECT_EQ(LastDeck(stage.run, "boom"), -1);
    stage.Play(1, "boom", {});
    EXPECT_EQ(LastDeck(stage.run, "boom"), 2);
    EXPECT_EQ(stage.run.cache()->head->next->sound->lastDeck, 3) << "the older entry keeps its own";
    EXPECT_EQ(stage.run.host.fetchLog().back(), "first 1 77");
}

TEST(LastDeckExpression, NeedsVersion112) {
    for (int32_t version : {110, 111, 112}) {
        Stage stage;
        stage.Play(1, "boom", {});
        stage.run.core.ClearCalls();
        stage.run.core.version = version;
        const int32_t answer = LastDeck(stage.run, "boom");
        if (version >= 112) {
            EXPECT_EQ(answer, 0);
            EXPECT_EQ(stage.run.core.CallStrings(), (std::vector<std::string>{"GetVersion"}));
        } else {
            EXPECT_EQ(answer, -1) << version;
            EXPECT_EQ(stage.run.core.CallStrings(),
                      (std::vector<std::string>{"GetVersion",
                                                "ReportError Upgrade Vek to v1.12+ to use SoundIDLastDeck()!"}));
        }
    }
}

// Before the core has found the object, or in an application that never ran
// StartApp, the actions and the expression do nothing (and the expression
// answers -1).
TEST(NotReady, ActionsAndExpressionDoNothing) {
    struct Case {
        const char* name;
        bool startApp;
        bool adopt;
    };
    const Case cases[] = {{"no core yet", true, false}, {"no cache", false, true}, {"neither", false, false}};
    for (const Case& c : cases) {
        RunObject run(c.startApp, c.adopt);
        for (int code : {0, 1, 2, 3, 4, 5, 9, 10, 11, 12}) {
            for (int i = 0; i < 5; ++i) run.host.QueueActionText("x");
            EXPECT_EQ(RunAction(run, code), 0);
        }
        EXPECT_EQ(LastDeck(run, "x"), -1) << c.name;
        EXPECT_TRUE(run.core.calls().empty()) << c.name;
        EXPECT_EQ(run.host.fetchLog(), std::vector<std::string>{"first 1 77"}) << c.name;
    }
}

}  // namespace
