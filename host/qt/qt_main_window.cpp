//===- host/qt/qt_main_window.cpp - The main window in Qt widgets ---------===//

#include "host/qt/qt_main_window.h"

#include "app/default_password.h"
#include "host/qt/drop_target.h"
#include "host/qt/qt_text.h"

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextOption>

#include <algorithm>

namespace filecrypter {
namespace {

constexpr QPoint kWindowPosition{50, 50};
constexpr QSize kClientSize{320, 245};
constexpr int kProgressSteps = 1000;

// "微软雅黑" where it is installed, otherwise the CJK face every desktop of
// this platform has, so that the Chinese captions always render.
QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(14);
  font.setWeight(QFont::Normal);
  return font;
}

// A multi-line box without scroll bars that wraps long paths anywhere and
// leaves drops to the window.
QPlainTextEdit *NewEditBox(QWidget *parent, const QString &name, const QRect &geometry) {
  auto *box = new QPlainTextEdit(parent);
  box->setObjectName(name);
  box->setGeometry(geometry);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  box->setAcceptDrops(false);
  box->viewport()->setAcceptDrops(false);
  return box;
}

QPushButton *NewButton(QWidget *parent, const QString &name, const QString &caption,
                       const QRect &geometry) {
  auto *button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

} // namespace

QtMainWindow::QtMainWindow(ApplicationState &state)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(QStringLiteral("文件加密 - 砚舟"));
  setWindowIcon(QIcon(QStringLiteral(":/filecrypter/filecrypter.png")));
  setFont(WindowFont());
  setFixedSize(kClientSize);
  move(kWindowPosition);
  CreateControls();

  logic_ = std::make_unique<MainWindow>(state, *this, runner_);
  connect(encryptButton_, &QPushButton::clicked, this, [this] { logic_->OnEncryptClicked(); });
  connect(decryptButton_, &QPushButton::clicked, this, [this] { logic_->OnDecryptClicked(); });
  connect(dropTarget_, &DropTarget::filesDropped, this,
          [this](const std::string &text) { logic_->OnFilesDropped(text); });
  logic_->OnMainWindowCreated();
}

QtMainWindow::~QtMainWindow() { runner_.Wait(); }

void QtMainWindow::CreateControls() {
  pathBox_ = NewEditBox(this, QStringLiteral("编辑框1"), {7, 7, 305, 121});
  pathBox_->setEnabled(false);
  pathBox_->setFocusPolicy(Qt::NoFocus);
  // Disabled, yet as legible as the password box: black on white.
  QPalette pathColours = pathBox_->palette();
  pathColours.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
  pathColours.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
  pathBox_->setPalette(pathColours);

  folderBox_ = new QCheckBox(QStringLiteral("文件夹"), this);
  folderBox_->setObjectName(QStringLiteral("选择框1"));
  folderBox_->setGeometry(7, 138, 63, 20);

  encryptButton_ = NewButton(this, QStringLiteral("按钮1"), QStringLiteral("加密"), {145, 142, 80, 40});
  decryptButton_ = NewButton(this, QStringLiteral("按钮2"), QStringLiteral("解密"), {231, 142, 80, 40});

  statusLabel_ = new QLabel(this);
  statusLabel_->setObjectName(QStringLiteral("透明标签3"));
  statusLabel_->setGeometry(8, 160, 128, 20);
  statusLabel_->setAutoFillBackground(false);
  statusLabel_->setFocusPolicy(Qt::NoFocus);
  SetStatusColour(kColourRunning);

  // The strip between the buttons and the password box is free.
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName(QStringLiteral("进度条1"));
  progressBar_->setGeometry(7, 185, 305, 4);
  progressBar_->setRange(0, kProgressSteps);
  progressBar_->setTextVisible(false);
  progressBar_->setStyleSheet(QStringLiteral(
      "QProgressBar { border: none; background: #dcdcdc; }"
      "QProgressBar::chunk { background: #800080; }"));
  progressBar_->hide();

  passwordBox_ = NewEditBox(this, QStringLiteral("编辑框2"), {7, 191, 305, 45});
  passwordBox_->setPlainText(FromText(kDefaultPassword));
  passwordBox_->setTabChangesFocus(true);

  dropTarget_ = new DropTarget(this);
  dropTarget_->setObjectName(QStringLiteral("拖放对象1"));

  setTabOrder(passwordBox_, folderBox_);
  setTabOrder(folderBox_, decryptButton_);
  setTabOrder(decryptButton_, encryptButton_);
  passwordBox_->setFocus();
}

std::string QtMainWindow::PasswordText() const { return ToText(passwordBox_->toPlainText()); }

bool QtMainWindow::FolderModeChecked() const { return folderBox_->isChecked(); }

void QtMainWindow::SetPathText(std::string_view text) {
  // Several dropped paths come as lines ending in "\r\n"; Qt's lines end in "\n".
  pathBox_->setPlainText(FromNativePath(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void QtMainWindow::SetStatusText(std::string_view text) { statusLabel_->setText(FromText(text)); }

void QtMainWindow::SetStatusColour(Colour colour) {
  QPalette palette = statusLabel_->palette();
  palette.setColor(QPalette::WindowText, QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  statusLabel_->setPalette(palette);
}

void QtMainWindow::SetStatusDetails(std::string_view details) {
  statusLabel_->setToolTip(FromText(details));
}

void QtMainWindow::SetCommandRunning(bool running) {
  for (QWidget *control : {static_cast<QWidget *>(encryptButton_),
                           static_cast<QWidget *>(decryptButton_),
                           static_cast<QWidget *>(folderBox_)})
    control->setEnabled(!running);
  progressBar_->setValue(0);
  progressBar_->setVisible(running);
}

void QtMainWindow::ShowProgress(std::uint64_t bytesDone, std::uint64_t bytesTotal) {
  const std::uint64_t steps =
      bytesTotal == 0 ? 0 : std::min(bytesDone, bytesTotal) * kProgressSteps / bytesTotal;
  progressBar_->setValue(static_cast<int>(steps));
}

bool QtMainWindow::RegisterDropTarget() { return dropTarget_->Register(this); }

} // namespace filecrypter
