#include "HostedHelpEngine.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace quorvel {
namespace {

struct HostCall {
    QString kind;
    QString helpFile;
    QString keyword;
};

class RecordingHost final : public HelpWindowHost {
public:
    void ShowContents(QWidget*, const QString& helpFile) override {
        calls.push_back({"contents", helpFile, {}});
    }
    void ShowKeywordSearch(QWidget*, const QString& helpFile, const QString& keyword) override {
        calls.push_back({"search", helpFile, keyword});
    }
    std::vector<HostCall> calls;
};

const std::uint32_t kZero = 0;
const char kKeyword[] = "FILLFACTOR";

struct CallRow {
    const char* name;
    std::uint32_t command;
    std::uintptr_t data;
    std::optional<HostCall> expected; // nullopt: the engine refuses the call
};

class HostedHelpEngineTest : public ::testing::TestWithParam<CallRow> {};

TEST_P(HostedHelpEngineTest, PassesKnownCommandsToTheHost) {
    const CallRow& row = GetParam();
    RecordingHost host;
    HostedHelpEngine engine;
    engine.SetHost(&host);
    const std::optional<QString> error =
        engine.WinHelpA(nullptr, "/opt/quorvel/Mivrel.hlp", row.command, row.data);
    if (!row.expected) {
        EXPECT_TRUE(error.has_value());
        EXPECT_TRUE(host.calls.empty());
        return;
    }
    EXPECT_FALSE(error.has_value());
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].kind, row.expected->kind);
    EXPECT_EQ(host.calls[0].helpFile, "/opt/quorvel/Mivrel.hlp");
    EXPECT_EQ(host.calls[0].keyword, row.expected->keyword);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, HostedHelpEngineTest,
    ::testing::Values(CallRow{"ContentsIgnoresItsData", kHelpContents,
                              reinterpret_cast<std::uintptr_t>(&kZero), HostCall{"contents", {}, {}}},
                      CallRow{"PartialKeyOnAZeroValueSearchesTheEmptyKeyword", kHelpPartialKey,
                              reinterpret_cast<std::uintptr_t>(&kZero), HostCall{"search", {}, ""}},
                      CallRow{"PartialKeyPassesItsKeyword", kHelpPartialKey,
                              reinterpret_cast<std::uintptr_t>(kKeyword),
                              HostCall{"search", {}, "FILLFACTOR"}},
                      CallRow{"PartialKeyWithoutAddressSearchesTheEmptyKeyword", kHelpPartialKey, 0,
                              HostCall{"search", {}, ""}},
                      CallRow{"UnknownCommandIsRefused", 1, 0, std::nullopt}),
    RowName<CallRow>);

TEST(HostedHelpEngine, CannotBeCalledBeforeAHelpWindowIsInstalled) {
    HostedHelpEngine engine;
    const std::optional<QString> error = engine.WinHelpA(nullptr, "Mivrel.hlp", kHelpContents, 0);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->isEmpty());
}

TEST(HostedHelpEngine, KeywordIsReadAsUtf8) {
    const char* keyword = "\xE3\x83\x9A\xE3\x83\xBC\xE3\x82\xB8"; // ページ
    EXPECT_EQ(HostedHelpEngine::KeywordAt(reinterpret_cast<std::uintptr_t>(keyword)),
              QStringLiteral("ページ"));
}

} // namespace
} // namespace quorvel
