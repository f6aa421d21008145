#include "shell/dialogs/internal/dialogshell.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

DialogShell::DialogShell(QWidget* parent, const QString& caption, QSize designSize)
    : QDialog(parent), designSize_(designSize) {
  setWindowTitle(caption);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setModal(true);
  ok_ = new QPushButton(tr("OK"), this);
  ok_->setObjectName("1");
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_ = new QPushButton(tr("Cancel"), this);
  cancel_->setObjectName("2");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void DialogShell::setContent(QLayout* content, int buttonsTopMargin) {
  auto* buttons = new QVBoxLayout;
  buttons->addSpacing(buttonsTopMargin);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  auto* row = new QHBoxLayout(this);
  row->addLayout(content, 1);
  row->addSpacing(12);
  row->addLayout(buttons);
}

void DialogShell::dropCancelButton() {
  cancel_->hide();
  cancel_->setEnabled(false);
}

void DialogShell::showEvent(QShowEvent* event) {
  if (!placed_) {
    placed_ = true;
    // The design size, unless the desktop's font asks for more room.
    resize(sizeHint().expandedTo(designSize_));
    SHELL_CentreOnMainWindow(this);
  }
  QDialog::showEvent(event);
}

void SHELL_CentreOnMainWindow(QWidget* dialog) {
  QWidget* main = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
  QScreen* screen = main ? main->screen() : dialog->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QRect owner = main ? main->frameGeometry() : area;
  const QSize size = dialog->frameGeometry().size();
  // Centred on the owner, then no further right (down) than the work area allows,
  // and at the work area's left (top) edge where that would push it off.
  int x = owner.left() + (owner.width() - size.width()) / 2;
  x = std::min(x, area.right() + 1 - size.width());
  if (x < area.left() + 1) x = area.left();
  int y = owner.top() + (owner.height() - size.height()) / 2;
  y = std::min(y, area.bottom() + 1 - size.height());
  if (y < area.top() + 1) y = area.top();
  dialog->move(x, y);
}

void SHELL_ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                       bool exclamation) {
  QMessageBox box(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, caption, text,
                  QMessageBox::Ok, parent);
  box.exec();
}
