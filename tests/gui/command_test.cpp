// Clicking 加密 and 解密: the commands run end to end on real files while the
// status label, the buttons and the progress bar tell the user where they are.
#include "tests/gui/window_fixture.h"

#include "cipher/engine.h"

namespace filecrypter::testing {
namespace {

const QColor kPurple(128, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kRed(192, 0, 0);

// The first 16 bytes of the default sentence in GBK: the key it stands for.
constexpr std::uint8_t kDefaultKey[] = {0xc7, 0xeb, 0xbd, 0xab, 0xce, 0xc4, 0xbc, 0xfe,
                                        0xcd, 0xcf, 0xb7, 0xc5, 0xb5, 0xbd, 0xb1, 0xbe};

std::string Encrypted(std::string_view plain, ByteSpan key) {
  CipherEngine engine;
  return std::string(engine.AesEncrypt(ByteString(plain), key, 128).view());
}

class CommandTest : public WindowTest {
protected:
  void ExpectRunning() {
    EXPECT_EQ(StatusLabel()->text(), QStringLiteral("正在进行中 . . ."));
    EXPECT_EQ(StatusColour(), kPurple);
    EXPECT_FALSE(EncryptButton()->isEnabled());
    EXPECT_FALSE(DecryptButton()->isEnabled());
    EXPECT_FALSE(FolderBox()->isEnabled());
    EXPECT_TRUE(ProgressBar()->isVisible());
  }
  void ExpectEnded(const QString &text, const QColor &colour) {
    EXPECT_EQ(StatusLabel()->text(), text);
    EXPECT_EQ(StatusColour(), colour);
    EXPECT_TRUE(EncryptButton()->isEnabled());
    EXPECT_TRUE(DecryptButton()->isEnabled());
    EXPECT_TRUE(FolderBox()->isEnabled());
    EXPECT_FALSE(ProgressBar()->isVisible());
  }
  void Click(QPushButton *button) {
    button->click();
    ExpectRunning();
    WaitForCommand();
  }
};

TEST_F(CommandTest, EncryptsAndDecryptsADroppedFileWithTheDefaultPassword) {
  const std::string plain(100'000, 'p');
  ASSERT_TRUE(DropFiles({WriteFile("报告.txt", plain)}));
  EXPECT_EQ(StatusColour(), kPurple) << "a drop leaves the colour alone";

  Click(EncryptButton());
  ExpectEnded(QStringLiteral("√ 完成"), kTeal);
  const std::filesystem::path encrypted = Folder() / "加密【报告】.txt";
  EXPECT_TRUE(ReadFile(encrypted) == Encrypted(plain, kDefaultKey));

  ASSERT_TRUE(DropFiles({encrypted}));
  EXPECT_EQ(StatusLabel()->text(), QString());
  EXPECT_EQ(StatusColour(), kTeal) << "a drop leaves the colour alone";
  Click(DecryptButton());
  ExpectEnded(QStringLiteral("√ 完成"), kTeal);
  EXPECT_TRUE(ReadFile(Folder() / "解密【加密【报告】】.txt") == plain);
}

TEST_F(CommandTest, FolderModeEncryptsTheTreeWithTheTypedPassword) {
  WriteFile("trip/a.jpg", "first");
  WriteFile("trip/day2/b.jpg", std::string(70'000, 'b'));
  FolderBox()->setChecked(true);
  PasswordBox()->setPlainText(QStringLiteral("密码abc"));
  ASSERT_TRUE(DropFiles({Folder() / "trip"}));

  Click(EncryptButton());
  ExpectEnded(QStringLiteral("√ 完成"), kTeal);
  // 密码 in GBK, then abc; the key is filled up with zero bytes.
  const std::uint8_t key[] = {0xc3, 0xdc, 0xc2, 0xeb, 'a', 'b', 'c'};
  EXPECT_EQ(ReadFile(Folder() / "加密【trip】" / "a.jpg"), Encrypted("first", key));
  EXPECT_TRUE(ReadFile(Folder() / "加密【trip】" / "b.jpg") ==
              Encrypted(std::string(70'000, 'b'), key));
}

TEST_F(CommandTest, RefusesToRunBeforeAnythingWasDropped) {
  Click(EncryptButton());
  ExpectEnded(QStringLiteral("× 请先拖入文件"), kRed);
  EXPECT_TRUE(std::filesystem::is_empty(Folder()));
}

TEST_F(CommandTest, CountsFailedFilesAndListsThemWithTheirReasons) {
  const std::filesystem::path good = WriteFile("good.txt", "fine");
  const std::filesystem::path missing = Folder() / "missing.txt";
  ASSERT_TRUE(DropFiles({good, missing}));

  Click(EncryptButton());
  ExpectEnded(QStringLiteral("× 1 个文件失败"), kRed);
  const QString details = StatusLabel()->toolTip();
  EXPECT_TRUE(details.contains(QString::fromStdString(missing.string()))) << details.toStdString();
  EXPECT_FALSE(details.contains(QString::fromStdString(good.string()))) << details.toStdString();
  EXPECT_EQ(ReadFile(Folder() / "加密【good】.txt"), Encrypted("fine", kDefaultKey));

  ASSERT_TRUE(DropFiles({good}));
  EXPECT_EQ(StatusLabel()->toolTip(), QString()) << "a drop clears the old failures";
  Click(EncryptButton());
  ExpectEnded(QStringLiteral("√ 完成"), kTeal);
}

TEST_F(CommandTest, ADropDuringACommandShowsItsPathButLeavesTheCommandAlone) {
  const std::filesystem::path first = WriteFile("first.bin", std::string(200'000, '1'));
  const std::filesystem::path second = WriteFile("second.bin", "2");
  ASSERT_TRUE(DropFiles({first}));

  EncryptButton()->click();
  ASSERT_TRUE(DropFiles({second}));
  EXPECT_EQ(PathBox()->toPlainText(), QString::fromStdString(second.string()));
  ExpectRunning();
  WaitForCommand();

  ExpectEnded(QStringLiteral("√ 完成"), kTeal);
  EXPECT_TRUE(std::filesystem::exists(Folder() / "加密【first】.bin"));
  EXPECT_FALSE(std::filesystem::exists(Folder() / "加密【second】.bin"));
  EXPECT_EQ(state_->droppedPath, second.string());

  Click(EncryptButton());
  EXPECT_EQ(ReadFile(Folder() / "加密【second】.bin"), Encrypted("2", kDefaultKey));
}

TEST_F(CommandTest, ProgressBarFollowsTheBytesDone) {
  struct Case {
    std::uint64_t done, total;
    int shown;
  };
  const int full = ProgressBar()->maximum();
  const Case cases[] = {{0, 0, 0}, {1, 4, full / 4}, {3'000'000'000, 6'000'000'000, full / 2},
                        {7, 7, full}};
  for (const Case &step : cases) {
    window_->ShowProgress(step.done, step.total);
    EXPECT_EQ(ProgressBar()->value(), step.shown) << step.done << " of " << step.total;
  }
}

} // namespace
} // namespace filecrypter::testing
