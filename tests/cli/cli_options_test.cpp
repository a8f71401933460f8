#include "cli/cli_options.h"
#include "cli/password.h"
#include "cli/progress_bar.h"

#include <gtest/gtest.h>

namespace filecrypter {
namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine Parse(std::vector<std::string_view> arguments) {
  return ParseCommandLine(arguments);
}

TEST(ParseCommandLineTest, AcceptedCommandLines) {
  ParsedCommandLine p = Parse({"decrypt", "-f", "a", "--", "-b"});
  ASSERT_EQ(p.action, Action::kRun) << p.error;
  EXPECT_EQ(p.options.kind, CommandKind::kDecrypt);
  EXPECT_TRUE(p.options.folderMode);
  EXPECT_EQ(p.options.passwordSource, PasswordSource::kPrompt);
  EXPECT_EQ(p.options.paths, (std::vector<std::string_view>{"a", "-b"}));

  p = Parse({"--password", "s e c", "encrypt", "x"});
  ASSERT_EQ(p.action, Action::kRun) << p.error;
  EXPECT_EQ(p.options.kind, CommandKind::kEncrypt);
  EXPECT_FALSE(p.options.folderMode);
  EXPECT_EQ(p.options.passwordSource, PasswordSource::kText);
  EXPECT_EQ(p.options.passwordArgument, "s e c");
  EXPECT_EQ(p.options.secretArgument, 1u);

  p = Parse({"encrypt", "--password=", "x"});
  ASSERT_EQ(p.action, Action::kRun) << p.error;
  EXPECT_EQ(p.options.passwordArgument, "");
  EXPECT_EQ(p.options.secretArgument, 1u);

  p = Parse({"encrypt", "--password-file=pw.txt", "x", "y"});
  ASSERT_EQ(p.action, Action::kRun) << p.error;
  EXPECT_EQ(p.options.passwordSource, PasswordSource::kFile);
  EXPECT_EQ(p.options.passwordArgument, "pw.txt");
  EXPECT_FALSE(p.options.secretArgument);
  EXPECT_EQ(p.options.paths.size(), 2u);

  EXPECT_EQ(Parse({"encrypt", "--default-password", "x"}).options.passwordSource,
            PasswordSource::kDefault);
  EXPECT_EQ(Parse({"encrypt", "x", "--help"}).action, Action::kHelp);
  EXPECT_EQ(Parse({"-h"}).action, Action::kHelp);
}

TEST(ParseCommandLineTest, UsageErrorsSayWhatIsWrong) {
  struct Case {
    std::vector<std::string_view> arguments;
    std::string_view error;
  } cases[] = {
      {{}, "no command given"},
      {{"encrypt"}, "no PATH given"},
      {{"shred", "x"}, "unknown command 'shred'"},
      {{"encrypt", "--fast", "x"}, "unknown option '--fast'"},
      {{"encrypt", "x", "--password"}, "needs a value"},
      {{"encrypt", "-p", "a", "--default-password", "x"}, "only one password option"},
      {{"encrypt", "--password-file", "f", "-p", "b", "x"}, "only one password option"},
      {{"encrypt", ""}, "empty PATH"},
  };
  for (const Case &c : cases) {
    const ParsedCommandLine p = Parse(c.arguments);
    EXPECT_EQ(p.action, Action::kUsageError) << c.error;
    EXPECT_NE(p.error.find(c.error), std::string::npos) << p.error;
  }
}

TEST(DroppedPathForTest, NamesTheItemWithItsFolder) {
  const PathResolver resolve = [](std::string_view path) -> std::optional<std::string> {
    if (path == "." || path == "./")
      return "/home/me/docs";
    if (path == "a/..")
      return "/home/me";
    return std::nullopt;
  };
  struct Case {
    std::string_view argument, dropped;
  } cases[] = {
      {"report.txt", "./report.txt"}, {"trip/", "./trip"},     {"/data/trip//", "/data/trip"},
      {"docs/a.txt", "docs/a.txt"},   {"/", "/"},              {".", "/home/me/docs"},
      {"./", "/home/me/docs"},        {"a/..", "/home/me"},    {"gone/..", "gone/.."},
  };
  for (const Case &c : cases)
    EXPECT_EQ(DroppedPathFor(c.argument, resolve), c.dropped) << c.argument;
}

TEST(FirstLineTest, StripsMarkAndLineEnd) {
  EXPECT_EQ(FirstLine("secret\nsecond"), "secret");
  EXPECT_EQ(FirstLine("\xEF\xBB\xBF密码\r\n"), "密码");
  EXPECT_EQ(FirstLine("no line end"), "no line end");
  EXPECT_EQ(FirstLine("\n"), "");
}

TEST(ProgressBarTest, RendersShareByBytesThenFiles) {
  EXPECT_EQ(ProgressBar::Render({1, 4, 50, 100}),
            "[###############---------------] 50%  1/4 files");
  EXPECT_EQ(ProgressBar::Render({3, 4, 0, 0}), "[######################--------] 75%  3/4 files");
}

} // namespace
} // namespace filecrypter
