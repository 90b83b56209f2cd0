#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engineer/EngineerFactory.h"
#include "engineer/ExtensionList.h"
#include "testing/CoreStandIn.h"

namespace {

std::vector<std::string> Extensions(const char* text) {
    std::vector<std::string> out;
    vek::ForEachExtension(text, [&](const char* e) { out.emplace_back(e); });
    return out;
}

struct ListCase {
    const char* text;
    std::vector<std::string> expected;
};

TEST(ExtensionList, SplitsTextByTheDotRule) {
    const ListCase cases[] = {
        {".wav .aiff", {"wav", "aiff"}},
        {".it .xm .mod .s3m", {"it", "xm", "mod", "s3m"}},
        {"wav aiff", {}},
        {"", {}},
        {".wav .aiff.", {"wav", "aiff"}},
        {"..wav", {"", "wav"}},
        {".wa v.ogg", {"wa", "ogg"}},
        {".wav   .ogg", {"wav", "ogg"}},
        {".averyveryverylongextension", {"averyveryverylongextension"}},
        {"noise before.mp3", {"mp3"}},
    };
    for (const ListCase& c : cases) EXPECT_EQ(Extensions(c.text), c.expected) << "text: \"" << c.text << "\"";
}

TEST(ExtensionList, HandsEachExtensionToTheCoreInOrder) {
    vek::testing::CoreStandIn core;
    EngineerRecord record{};
    EXPECT_EQ(vek::HandExtensionsToCore(".it .xm .mod .s3m", &core, &record), 4);
    const std::vector<std::string> expected = {"AddEngineerExtension it", "AddEngineerExtension xm",
                                               "AddEngineerExtension mod", "AddEngineerExtension s3m"};
    EXPECT_EQ(core.CallStrings(), expected);
    for (const auto& call : core.calls()) EXPECT_EQ(call.record, &record);
}

TEST(ExtensionList, NullTextHandsNothing) { EXPECT_EQ(vek::ForEachExtension(nullptr, [](const char*) {}), 0); }

}  // namespace
