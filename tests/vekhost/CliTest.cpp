// vekhost's commands as a game's author runs them: bad input refused with
// one line naming the file and line, exit status 1 and no output left
// behind; a good render writing its wave file and picture; check's verdicts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/vekhost/Fixtures.h"
#include "tools/vekhost/Cli.h"
#include "tools/vekhost/SoundFiles.h"

namespace {

using namespace vekhost::testing;
using vekhost::PcmData;
using vekhost::WaveFileBytes;

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

size_t Lines(const std::string& text) {
    size_t count = 0;
    for (char c : text) count += c == '\n';
    return count;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(folder_ / "beep.wav", WaveFileBytes({22050, 16, 1, std::vector<uint8_t>(4410, 0x10)}));
    }

    // A scene file of its own with a good first line and `line` second.
    std::string Scene(const std::string& line) {
        const std::string path = folder_ / ("test" + std::to_string(++scenes_) + ".scene");
        WriteText(path, "0 \"Advanced Sound\" \"Add Sound to Cache\" beep.wav beep\n" + line + "\n");
        return path;
    }

    std::vector<std::string> RenderArgs(const std::string& scene, const std::string& wave, const std::string& png) {
        return {"render", scene, "-o", wave, "--png", png, "--extensions", EngineersFolder()};
    }

    ScratchFolder folder_;
    int scenes_ = 0;
};

TEST_F(Cli, BadInputGetsOneLineNamingItsPlaceAndLeavesNoOutput) {
    ScratchFolder empty;
    struct Case {
        const char* what;
        std::vector<std::string> args;  // before the output options
        std::string expected;           // in the one line on the error stream
        std::string wave;               // where the output would go
    };
    const std::string wave = folder_ / "out.wav";
    const std::string unwritable = folder_ / "no-such-folder/out.wav";
    const std::vector<Case> cases = {
        {"missing scene", {"render", folder_ / "none.scene"}, "cannot read scene " + (folder_ / "none.scene"), wave},
        {"unknown object", {"render", Scene("5 Mixer \"Play Sound (simple)\" beep")}, ":2: unknown object \"Mixer\"",
         wave},
        {"unknown action", {"render", Scene("5 \"Advanced Sound\" \"Play Backwards\" beep")},
         ":2: Advanced Sound has no action or expression \"Play Backwards\"", wave},
        {"wrong count", {"render", Scene("5 \"Advanced Sound\" \"Play Sound Looped (simple)\" beep")},
         ":2: \"Play Sound Looped (simple)\" takes 2 parameters (text, integer), found 1", wave},
        {"wrong type", {"render", Scene("5 \"Advanced Sound\" \"Play Sound Looped (simple)\" beep twice")},
         ":2: parameter 2 of \"Play Sound Looped (simple)\" must be an integer, found \"twice\"", wave},
        {"missing sound", {"render", Scene("5 \"Advanced Sound\" \"Add Sound to Cache\" boom.wav boom")},
         ":2: sound file not found: \"boom.wav\"", wave},
        {"no engineers", {"render", Scene("5 frame"), "--extensions", empty.path()},
         "no engineer library (Vek*.mfx) in " + empty.path(), wave},
        {"unwritable output", {"render", Scene("5 frame")}, "cannot write " + unwritable, unwritable},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        const std::string png = folder_ / "out.png";
        for (const std::string& option : {std::string("-o"), c.wave, std::string("--png"), png}) args.push_back(option);
        if (std::find(args.begin(), args.end(), "--extensions") == args.end()) {
            args.push_back("--extensions");
            args.push_back(EngineersFolder());
        }
        const CommandResult result = RunCommand(args);
        EXPECT_EQ(result.status, vekhost::kExitFailure) << c.what;
        EXPECT_EQ(Lines(result.err), 1u) << c.what << ": " << result.err;
        EXPECT_EQ(result.err.rfind("vekhost: ", 0), 0u) << c.what << ": " << result.err;
        EXPECT_NE(result.err.find(c.expected), std::string::npos) << c.what << ": " << result.err;
        if (c.expected.rfind(":2:", 0) == 0) {
            EXPECT_NE(result.err.find(c.args[1] + ":2:"), std::string::npos) << result.err;
        }
        for (const std::string& left : {c.wave, c.wave + ".part", png, png + ".part"})
            EXPECT_FALSE(FileExists(left)) << c.what << " left " << left;
    }
}

TEST_F(Cli, AnUnwritablePictureLeavesNoWaveFileEither) {
    const std::string wave = folder_ / "out.wav";
    const CommandResult result = RunCommand(RenderArgs(Scene("5 frame"), wave, folder_ / "missing/out.png"));
    EXPECT_EQ(result.status, vekhost::kExitFailure);
    EXPECT_NE(result.err.find("cannot write " + (folder_ / "missing/out.png")), std::string::npos) << result.err;
    EXPECT_FALSE(FileExists(wave));
    EXPECT_FALSE(FileExists(wave + ".part"));
}

TEST_F(Cli, ARenderWritesA16BitStereoWaveFileAndAPicture) {
    const std::string wave = folder_ / "out.wav";
    const std::string png = folder_ / "out.png";
    const CommandResult result =
        RunCommand(RenderArgs(Scene("250 frame\n500 \"Advanced Sound\" \"Play Sound (simple)\" beep"), wave, png));
    ASSERT_EQ(result.status, vekhost::kExitOk) << result.err;
    EXPECT_NE(result.out.find("events run:       3 (1 frame change)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("errors reported:  none"), std::string::npos) << result.out;

    const std::vector<uint8_t> bytes = ReadBytes(wave);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Le32(bytes, 16), 16u);
    EXPECT_EQ(Le32(bytes, 20), 1u | 2u << 16);   // PCM, two channels
    EXPECT_EQ(Le32(bytes, 24), 44100u);
    EXPECT_EQ(Le32(bytes, 28), 44100u * 4);
    EXPECT_EQ(Le32(bytes, 32), 4u | 16u << 16);  // block of 4 bytes, 16 bits
    EXPECT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0);
    EXPECT_EQ(Le32(bytes, 40), bytes.size() - 44);
    EXPECT_EQ(Le32(bytes, 4), bytes.size() - 8);
    // At least up to the last event; the sound, once the engineers play it, runs on.
    EXPECT_GE(bytes.size() - 44, 22050u * 4);

    const std::vector<uint8_t> picture = ReadBytes(png);
    ASSERT_GE(picture.size(), 8u);
    EXPECT_EQ(std::memcmp(picture.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_FALSE(FileExists(wave + ".part"));
    EXPECT_FALSE(FileExists(png + ".part"));
}

TEST_F(Cli, UsageErrorsAreNotRenders) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render"}, {"render", "a.scene"}, {"render", "a.scene", "-o"},
          {"render", "a.scene", "-o", "x.wav", "--decks", "0"}, {"render", "a.scene", "b.scene", "-o", "x.wav"},
          {"check"}, {"check", "--loud"}, {"play"}}) {
        const CommandResult result = RunCommand(args);
        EXPECT_EQ(result.status, vekhost::kExitUsage) << args[0] << " " << args.size();
        EXPECT_NE(result.err.find("usage: vekhost"), std::string::npos);
    }
}

TEST_F(Cli, CheckGivesEachEngineersVerdictOnEachFile) {
    const std::string missing = folder_ / "missing.wav";
    const CommandResult result = RunCommand({"check", missing, "--extensions", EngineersFolder()});
    // Nobody plays a file that is not there.
    EXPECT_EQ(result.status, vekhost::kExitFailure);
    EXPECT_EQ(result.out.rfind(missing + "\n", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("  Advanced Sound  refuses: "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("  PCM WAVE        refuses: "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("  by extension:   PCM WAVE\n"), std::string::npos) << result.out;
}

TEST_F(Cli, CheckTellsWhichEngineerPlaysAWaveFileWithAChunkBeforeItsData) {
    const PcmData pcm{22050, 16, 1, std::vector<uint8_t>(4410, 0x20)};
    const std::string plain = folder_ / "plain.wav";
    const std::string tagged = folder_ / "tagged.wav";
    WriteBytes(plain, WaveFileBytes(pcm));
    WriteBytes(tagged, WaveFileBytes(pcm, true));
    const CommandResult result = RunCommand({"check", plain, tagged, "--extensions", EngineersFolder()});
    const std::string playsPlain = "plays 16-bit mono 22050 Hz, 100 ms, 4410 bytes";
    const std::string nothingYet = "refuses: no stream made (the engineer gave no reason)";
    const size_t taggedAt = result.out.find(tagged + "\n");
    ASSERT_NE(taggedAt, std::string::npos) << result.out;
    const std::string plainPart = result.out.substr(0, taggedAt);
    const std::string taggedPart = result.out.substr(taggedAt);
    if (plainPart.find("PCM WAVE        " + nothingYet) != std::string::npos)
        GTEST_SKIP() << "the Wave engineer makes no streams yet (issue 3)";
    EXPECT_NE(plainPart.find("PCM WAVE        " + playsPlain), std::string::npos) << result.out;
    EXPECT_NE(taggedPart.find("PCM WAVE        refuses: \"" + tagged + " is not a valid PCM wave file.\""),
              std::string::npos)
        << result.out;
    if (taggedPart.find("Advanced Sound  " + nothingYet) != std::string::npos)
        GTEST_SKIP() << "the Advanced Sound engineer makes no streams yet (issue 4)";
    EXPECT_NE(taggedPart.find("Advanced Sound  " + playsPlain), std::string::npos) << result.out;
    EXPECT_EQ(result.status, vekhost::kExitOk) << result.out;
}

}  // namespace
