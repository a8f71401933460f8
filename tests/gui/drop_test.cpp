// Files and folders dropped on the window, and data that is not files.
#include "tests/gui/window_fixture.h"

#include <QUrl>

namespace filecrypter::testing {
namespace {

TEST_F(WindowTest, DropsArriveAsOnePathOrAsLinesEndingInCrLf) {
  const std::filesystem::path a = WriteFile("a.txt", "a");
  const std::filesystem::path b = WriteFile("文档 二.doc", "b");
  const std::filesystem::path c = WriteFile("c", "c");
  const std::filesystem::path folder = WriteFile("照片/trip/x.jpg", "x").parent_path();

  struct Case {
    const char *what;
    std::vector<std::filesystem::path> dropped;
    std::string text;   // what the window logic receives
    QString shown;      // what 编辑框1 shows
  };
  const auto qs = [](const std::filesystem::path &p) { return QString::fromStdString(p.string()); };
  const Case cases[] = {
      {"one file", {b}, b.string(), qs(b)},
      {"one folder", {folder}, folder.string(), qs(folder)},
      {"three files", {a, b, c},
       a.string() + "\r\n" + b.string() + "\r\n" + c.string() + "\r\n",
       qs(a) + "\n" + qs(b) + "\n" + qs(c) + "\n"},
  };
  for (const Case &drop : cases) {
    SCOPED_TRACE(drop.what);
    window_->SetStatusText("√ 完成");
    ASSERT_TRUE(DropFiles(drop.dropped));
    EXPECT_EQ(state_->droppedPath, drop.text);
    EXPECT_EQ(PathBox()->toPlainText(), drop.shown);
    EXPECT_EQ(StatusLabel()->text(), QString());
  }
}

TEST_F(WindowTest, FilesDroppedOnAnyControlReachTheWindow) {
  const std::filesystem::path file = WriteFile("a.txt", "a");
  for (const char *name : {"编辑框1", "编辑框2", "选择框1", "按钮1", "按钮2", "透明标签3"}) {
    SCOPED_TRACE(name);
    state_->droppedPath.clear();
    const QRect area = Control<QWidget>(name)->geometry();
    ASSERT_TRUE(DropFiles({file}, area.center()));
    EXPECT_EQ(state_->droppedPath, file.string());
  }
  state_->droppedPath.clear();
  ASSERT_TRUE(DropFiles({file}, {2, 240})) << "the bare window between the controls";
  EXPECT_EQ(state_->droppedPath, file.string());
}

TEST_F(WindowTest, DataThatIsNotFilesIsRefusedAndChangesNothing) {
  const std::filesystem::path file = WriteFile("a.txt", "a");
  ASSERT_TRUE(DropFiles({file}));
  window_->SetStatusText("√ 完成");
  const QString password = PasswordBox()->toPlainText();

  QMimeData text;
  text.setText(QStringLiteral("/etc/passwd"));
  QMimeData webLink;
  webLink.setUrls({QUrl(QStringLiteral("https://example.org/a.txt"))});
  QMimeData noUrls;
  noUrls.setUrls({});
  for (QMimeData *data : {&text, &webLink, &noUrls}) {
    for (const char *over : {"编辑框1", "编辑框2"}) {
      SCOPED_TRACE(over);
      EXPECT_FALSE(DragAndDrop(*data, Control<QWidget>(over)->geometry().center()));
      EXPECT_EQ(state_->droppedPath, file.string());
      EXPECT_EQ(PathBox()->toPlainText(), QString::fromStdString(file.string()));
      EXPECT_EQ(PasswordBox()->toPlainText(), password);
      EXPECT_EQ(StatusLabel()->text(), QStringLiteral("√ 完成"));
    }
  }
}

// A drag source that sees its move accepted may delete what it dragged.
TEST_F(WindowTest, DropsAreTakenAsCopiesNeverAsMoves) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(WriteFile("a.txt", "a").string()))});
  EXPECT_EQ(DragAndDrop(data, {160, 60}, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
  EXPECT_EQ(DragAndDrop(data, {160, 60}, Qt::LinkAction | Qt::MoveAction), Qt::LinkAction);
  state_->droppedPath.clear();
  EXPECT_EQ(DragAndDrop(data, {160, 60}, Qt::MoveAction), std::nullopt);
  EXPECT_EQ(state_->droppedPath, "");
}

} // namespace
} // namespace filecrypter::testing
