#include "shell/dialogs/about.h"

#include <cstdio>
#include <ctime>

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "cmdline/cmdline.h"
#include "output/cbanner.h"
#include "settings/settings.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogs/logo.h"
#include "shell/fixedpitch.h"

namespace {

// Our notice, shown below two empty lines in the About box.
const char kNotice[] =
    "Turns the outline fonts installed on this computer into bitmap fonts for "
    "small displays, written as C source, SIF or XBF files, and reads C, XBF and "
    "BDF fonts back for checking and editing.\r\n\r\n"
    "The fonts you make keep the licence of the face they were made from: make "
    "sure a face may be embedded before you ship it in a device.\r\n\r\n"
    "Built on Qt, FreeType and fontconfig.";

}  // namespace

QString SHELL_BuildLine() {
  // The time the build recorded (SOURCE_DATE_EPOCH when set), in UTC as in the C
  // banner, as "Compiled hh:mm:ss on Mmm dd yyyy" with the day padded by a blank.
  // The month names are written out: the window runs in the user's locale.
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t built = OUT_GetBuildTime();
  std::tm t{};
  gmtime_r(&built, &t);
  char line[64];
  std::snprintf(line, sizeof line, "Compiled %02d:%02d:%02d on %s %2d %d", t.tm_hour, t.tm_min, t.tm_sec,
                kMonths[t.tm_mon % 12], t.tm_mday, t.tm_year + 1900);
  return QString::fromLatin1(line);
}

AboutBox::AboutBox(QWidget* parent, const QString& programTitle)
    : DialogShell(parent, "About", QSize(338, 264)) {
  auto* title = new QLabel(programTitle, this);
  title->setObjectName("101");
  auto* build = new QLabel(SHELL_BuildLine(), this);
  build->setObjectName("104");
  auto* notice = new QTextEdit(this);
  notice->setObjectName("102");
  notice->setReadOnly(true);
  notice->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  notice->setPlainText(QString("\r\n\r\n%1").arg(kNotice).replace("\r\n", "\n"));
  QTextCursor all(notice->document());
  all.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  all.mergeBlockFormat(centred);
  notice->setMinimumHeight(107);
  auto* frame = new QGroupBox(this);
  auto* frameLayout = new QVBoxLayout(frame);
  frameLayout->setContentsMargins(3, 3, 3, 3);
  frameLayout->addWidget(notice);
  auto* logo = new QLabel(this);
  logo->setObjectName("100");
  logo->setPixmap(SHELL_AboutLogo());

  // Logo with OK beside it, then the title, the build line and the notice.
  dropCancelButton();
  auto* top = new QHBoxLayout;
  top->addWidget(logo, 0, Qt::AlignTop);
  top->addStretch(1);
  auto* buttons = new QVBoxLayout;
  buttons->addSpacing(18);
  buttons->addWidget(okButton());
  buttons->addStretch(1);
  top->addLayout(buttons);
  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addSpacing(4);
  column->addWidget(title);
  column->addWidget(build);
  column->addWidget(frame, 1);
}

void AboutBox::showEvent(QShowEvent* event) {
  DialogShell::showEvent(event);
  okButton()->setFocus();
}

CmdHelpWindow::CmdHelpWindow(QWidget* parent, const QString& text) : QDialog(parent) {
  setObjectName("CMD Help");
  setWindowTitle("CMD Help");
  setAttribute(Qt::WA_DeleteOnClose);
  // The main window takes no input while the help is open.
  setWindowModality(Qt::WindowModal);
  edit_ = new QPlainTextEdit(this);
  edit_->setObjectName("100");
  edit_->setReadOnly(true);
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Tab stops every eight characters, as on a console.
  edit_->setFont(SHELL_FixedPitchFont());
  edit_->setTabStopDistance(edit_->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
  QString plain = text;
  plain.replace("\r\n", "\n");
  edit_->setPlainText(plain);
  edit_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit_);
  // 550 pixels wide and 633 high inside, centred on the screen's work area.
  QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize size(550, std::min(633, area.height()));
  resize(size);
  move(area.left() + (area.width() - size.width()) / 2,
       area.top() + (area.height() - size.height()) / 2);
}

void CmdHelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool CmdHelpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void SHELL_RunAbout(QWidget* parent) {
  AboutBox box(parent, PROGRAM_NAME " V" PROGRAM_VERSION);
  box.exec();
}

void SHELL_RunCmdHelp(QWidget* parent) {
  auto* window = new CmdHelpWindow(parent, CMDLINE_GetHelpText(CMDLINE_aCommands));
  window->show();
}
