// Reading scenes against the engineers' descriptions: what a well-formed
// scene becomes, and the line and reason for each malformed one.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engineer/Boundary.h"
#include "tools/vekhost/SceneFormat.h"

namespace {

using namespace vekhost;

EngineerDescription Describe(const char* name, const char* file, uint32_t identifier, int actions, int expressions) {
    EngineerDescription d;
    d.name = name;
    d.file = file;
    d.identifier = identifier;
    for (int16_t code = 0; code < actions; ++code) d.actions.push_back(DescribeAce(identifier, false, code, nullptr));
    for (int16_t code = 0; code < expressions; ++code)
        d.expressions.push_back(DescribeAce(identifier, true, code, nullptr));
    return d;
}

const std::vector<EngineerDescription>& Engineers() {
    static const std::vector<EngineerDescription> engineers = {
        Describe("Advanced Sound", "VekEng_AdvSound.mfx", vek::FourCC('V', 'E', 'A', 'S'), 13, 1),
        Describe("PCM WAVE", "VekEng_Wave.mfx", vek::FourCC('V', 'E', 'W', 'V'), 3, 0),
    };
    return engineers;
}

bool Exists(const std::string& path) {
    static const std::set<std::string> files = {"scenes/drum.wav", "scenes/sub/tone.aiff", "/abs/hit.wav"};
    return files.count(path) != 0;
}

bool Parse(const std::string& text, Scene& scene, std::string& error) {
    return ParseScene(text, "scenes/test.scene", Engineers(), Exists, scene, error);
}

TEST(SceneFormat, ReadsEventsObjectsFramesAndTheEnd) {
    const std::string text =
        "# a comment line\n"
        "\n"
        "object \"PCM WAVE\" filetypes \".wav .pcm\" cache on\n"
        "object VekEng_AdvSound cache off   # by file name\n"
        "0 \"Advanced Sound\" \"Add Sound to Cache\" drum.wav drum\n"
        "0 \"advanced sound\" \"Add Sound %0 to cache with ID %1 and extension mask %2\" "
        "sub/tone.aiff \"a \\\"b\\\" \\\\c\" pcm\n"
        "10 \"Advanced Sound\" \"Play With Altered Frequency > Play Sound (w/ vol & pan)\" drum 800 -1000 1500\n"
        "10 \"Advanced Sound\" \"Set Filetypes\" \".wav .xm\"\n"
        "20 VekEng_Wave.mfx 1\n"
        "20 \"Advanced Sound\" action:4 drum -5 +7 3\n"
        "20 frame\n"
        "30 \"Advanced Sound\" \"Last Deck of a Played Sound\" drum\n"
        "30 \"Advanced Sound\" expression:0 \"drum\"\n"
        "40 \"Advanced Sound\" \"Add Sound to Cache\" /abs/hit.wav hit\n"
        "   50 end   \n";
    Scene scene;
    std::string error;
    ASSERT_TRUE(Parse(text, scene, error)) << error;

    ASSERT_EQ(scene.setups.size(), 2u);
    EXPECT_EQ(scene.setups[0].engineer, 1u);
    EXPECT_TRUE(scene.setups[0].hasFiletypes);
    EXPECT_EQ(scene.setups[0].filetypes, ".wav .pcm");
    EXPECT_TRUE(scene.setups[0].hasCache && scene.setups[0].cacheAtStartup);
    EXPECT_EQ(scene.setups[1].engineer, 0u);
    EXPECT_FALSE(scene.setups[1].hasFiletypes);
    EXPECT_TRUE(scene.setups[1].hasCache && !scene.setups[1].cacheAtStartup);

    struct Expected {
        int line;
        int64_t time;
        EventKind kind;
        size_t engineer;
        int code;
        std::vector<std::string> params;
    };
    const std::vector<Expected> expected = {
        {5, 0, EventKind::Action, 0, 0, {"\"scenes/drum.wav\"", "\"drum\""}},
        {6, 0, EventKind::Action, 0, 5, {"\"scenes/sub/tone.aiff\"", "\"a \"b\" \\c\"", "\"pcm\""}},
        {7, 10, EventKind::Action, 0, 11, {"\"drum\"", "800", "-1000", "1500"}},
        {8, 10, EventKind::Action, 0, 8, {"\".wav .xm\""}},
        {9, 20, EventKind::Action, 1, 1, {}},
        {10, 20, EventKind::Action, 0, 4, {"\"drum\"", "-5", "7", "3"}},
        {11, 20, EventKind::Frame, 0, -1, {}},
        {12, 30, EventKind::Expression, 0, 0, {"\"drum\""}},
        {13, 30, EventKind::Expression, 0, 0, {"\"drum\""}},
        {14, 40, EventKind::Action, 0, 0, {"\"/abs/hit.wav\"", "\"hit\""}},
        {15, 50, EventKind::End, 0, -1, {}},
    };
    ASSERT_EQ(scene.events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const SceneEvent& event = scene.events[i];
        const Expected& e = expected[i];
        EXPECT_EQ(event.line, e.line) << i;
        EXPECT_EQ(event.timeMs, e.time) << i;
        EXPECT_EQ(event.kind, e.kind) << i;
        if (e.code < 0) continue;
        EXPECT_EQ(event.engineer, e.engineer) << i;
        ASSERT_NE(event.ace, nullptr) << i;
        EXPECT_EQ(event.ace->code, e.code) << i;
        std::vector<std::string> params;
        for (const SceneValue& value : event.params) params.push_back(ValueText(value));
        EXPECT_EQ(params, e.params) << i;
    }
}

TEST(SceneFormat, EveryMenuNameDisplayTextAndCodeNamesItsEntry) {
    const EngineerDescription& adv = Engineers()[0];
    std::string why;
    for (const AceEntry& entry : adv.actions) {
        EXPECT_EQ(FindAce(adv, entry.displayText, why), &entry) << entry.displayText;
        EXPECT_EQ(FindAce(adv, entry.menuPath, why), &entry) << entry.menuPath;
        EXPECT_EQ(FindAce(adv, std::to_string(entry.code), why), &entry) << entry.code;
    }
    // Items inside a popup answer to their own name when no other item has it.
    EXPECT_EQ(FindAce(adv, "Enable Caching", why)->code, 6);
    EXPECT_EQ(FindAce(adv, "set filetypes", why)->code, 8);
    // A name that is both a top-level item and an item of a popup is the top-level one.
    EXPECT_EQ(FindAce(adv, "Play Sound (simple)", why)->code, 1);
    EXPECT_EQ(FindAce(adv, "Play With Altered Frequency > Play Sound (simple)", why)->code, 9);
    EXPECT_EQ(FindAce(adv, "SoundIDLastDeck(", why)->expression, true);
}

TEST(SceneFormat, MalformedLinesAreRefusedWithTheirLineAndWhatWasExpected) {
    struct Case {
        std::string line;
        std::string expected;
    };
    const std::string long260(260, 'x');
    const Case cases[] = {
        {"soon \"Advanced Sound\" \"Play Sound (simple)\" x", "expected a time in milliseconds"},
        {"-5 \"Advanced Sound\" \"Play Sound (simple)\" x", "expected a time in milliseconds"},
        {"600001 \"Advanced Sound\" \"Play Sound (simple)\" x", "expected a time in milliseconds from 0 to 600000"},
        {"100", "expected an object name, \"frame\" or \"end\""},
        {"100 Nobody \"Play Sound (simple)\" x", "unknown object \"Nobody\" (expected an engineer's name: "
                                                "\"Advanced Sound\", \"PCM WAVE\")"},
        {"100 \"Advanced Sound\"", "expected an action or expression of \"Advanced Sound\""},
        {"100 \"Advanced Sound\" \"Play Loudly\" x", "Advanced Sound has no action or expression \"Play Loudly\""},
        {"100 \"Advanced Sound\" action:13", "Advanced Sound has no action with code 13"},
        {"100 \"PCM WAVE\" \"Play Sound (simple)\" x", "PCM WAVE has no action or expression"},
        {"100 \"Advanced Sound\" \"Play Sound (w/ vol & pan)\" drum 5",
         "\"Play Sound (w/ vol & pan)\" takes 3 parameters (text, integer, integer), found 2"},
        {"100 \"PCM WAVE\" \"Enable Caching\" now", "\"Enable Caching\" takes 0 parameters, found 1"},
        {"100 \"Advanced Sound\" \"Play Sound Looped (simple)\" drum many",
         "parameter 2 of \"Play Sound Looped (simple)\" must be an integer, found \"many\""},
        {"100 \"Advanced Sound\" \"Play Sound Looped (simple)\" drum \"3\"", "must be an integer, found \"3\""},
        {"100 \"Advanced Sound\" \"Play Sound Looped (simple)\" drum 2147483648", "must be an integer"},
        {"100 \"Advanced Sound\" \"Play Sound Looped (simple)\" drum 1.5", "must be an integer"},
        {"100 \"Advanced Sound\" \"Add Sound to Cache\" gone.wav g",
         "sound file not found: \"gone.wav\" (looked for \"scenes/gone.wav\")"},
        {"100 \"Advanced Sound\" \"Add Sound to Cache\" \"\" g", "must name a sound file"},
        {"100 \"Advanced Sound\" \"Play Sound (simple)\" " + long260, "longer than 259 characters"},
        {"100 \"Advanced Sound\" \"Play Sound (simple)\" \"unclosed", "a quoted text is not closed"},
        {"100 \"Advanced Sound\" \"Play Sound (simple)\" \"a\"b", "expected a blank after the closing quote"},
        {"100 frame now", "expected nothing after \"frame\""},
        {"5 frame", "time 5 comes before the previous event's 50"},
        {"object \"PCM WAVE\" cache on", "\"object\" lines must come before the first event"},
    };
    for (const Case& c : cases) {
        // Two good lines and a comment before: the bad line is line 4.
        const std::string text = "object \"PCM WAVE\" cache off\n50 frame\n# comment\n" + c.line + "\n60 frame\n";
        Scene scene;
        std::string error;
        EXPECT_FALSE(Parse(text, scene, error)) << c.line;
        EXPECT_EQ(error.rfind("scenes/test.scene:4: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << "line: " << c.line << "\nerror: " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

TEST(SceneFormat, ObjectLinesAndTheEndLineHaveTheirOwnRules) {
    struct Case {
        std::string text;
        int line;
        std::string expected;
    };
    const Case cases[] = {
        {"object\n", 1, "expected an object name after \"object\""},
        {"object \"PCM WAVE\" caching on\n", 1, "expected filetypes TEXT or cache on|off, found \"caching\""},
        {"object \"PCM WAVE\" cache maybe\n", 1, "expected filetypes TEXT or cache on|off"},
        {"object \"PCM WAVE\" filetypes\n", 1, "expected filetypes TEXT or cache on|off"},
        {"0 end\n0 frame\n", 2, "nothing may follow the \"end\" line"},
    };
    for (const Case& c : cases) {
        Scene scene;
        std::string error;
        EXPECT_FALSE(Parse(c.text, scene, error)) << c.text;
        EXPECT_EQ(error.rfind("scenes/test.scene:" + std::to_string(c.line) + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

TEST(SceneFormat, AByteOrderMarkAndWindowsLineEndsAreAccepted) {
    Scene scene;
    std::string error;
    ASSERT_TRUE(Parse("\xEF\xBB\xBF" "0 frame\r\n\r\n10 \"PCM WAVE\" 1\r\n20 end", scene, error)) << error;
    ASSERT_EQ(scene.events.size(), 3u);
    EXPECT_EQ(scene.events[1].line, 3);
    EXPECT_EQ(scene.events[1].ace->code, 1);
    EXPECT_EQ(scene.events[2].kind, EventKind::End);
}

TEST(SceneFormat, PathsResolveFromTheScenesFolder) {
    EXPECT_EQ(FolderOf("a/b/c.scene"), "a/b/");
    EXPECT_EQ(FolderOf("c.scene"), "");
    EXPECT_EQ(FolderOf("C:\\games\\c.scene"), "C:\\games\\");
    EXPECT_EQ(ResolveFrom("a/b/", "x.wav"), "a/b/x.wav");
    EXPECT_EQ(ResolveFrom("a/b/", "/x.wav"), "/x.wav");
    EXPECT_EQ(ResolveFrom("a/b/", "D:\\x.wav"), "D:\\x.wav");
    EXPECT_EQ(ResolveFrom("", "x.wav"), "x.wav");
}

}  // namespace
