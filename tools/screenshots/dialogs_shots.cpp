// Screenshots of the dialogs for the documentation: each dialog is shown,
// painted and grabbed into "<dir>/dialog-<name>.png".
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <memory>
#include <vector>

#include "screenshots/shots.h"
#include "cmdline/cmdline.h"
#include "settings/settings.h"
#include "shell/dialogs/about.h"
#include "shell/dialogs/dialogs.h"
#include "shell/dialogs/optiondialogs.h"
#include "shell/dialogs/valuedialog.h"

namespace {

void Shoot(QWidget* widget, const QString& dir, const QString& name) {
  widget->show();
  QApplication::processEvents();
  widget->grab().save(QDir(dir).filePath("dialog-" + name + ".png"));
  widget->hide();
}

}  // namespace

void SHOTS_Dialogs(const QString& dir) {
  QDir().mkpath(dir);
  Shoot(std::make_unique<CompatibilityDialog>(nullptr).get(), dir, "compatibility");
  Shoot(std::make_unique<MagnificationDialog>(nullptr).get(), dir, "magnification");
  Shoot(std::make_unique<LoggingDialog>(nullptr).get(), dir, "logging");
  Shoot(std::make_unique<AntialiasingDialog>(nullptr).get(), dir, "antialiasing");
  Shoot(std::make_unique<XbfOptionsDialog>(nullptr).get(), dir, "xbf-options");
  Shoot(std::make_unique<MeasurementDialog>(nullptr).get(), dir, "measurement");
  Settings settings;
  SETTINGS_Load(&settings);
  Shoot(std::make_unique<XbfTypeDialog>(nullptr, settings.GetTypeXBF).get(), dir, "xbf-type");
  int64_t first = 0x20, last = 0x7E;
  std::vector<ValueField> fields(2);
  fields[0] = {16, 0, 0xFFFF, "&First character", &first};
  fields[1] = {16, 0, 0xFFFF, "&Last character", &last};
  Shoot(std::make_unique<ValueDialog>(nullptr, "Select range of characters", fields).get(), dir,
        "range");
  Shoot(std::make_unique<AboutBox>(nullptr, PROGRAM_NAME " V" PROGRAM_VERSION).get(), dir, "about");
  auto help = std::make_unique<CmdHelpWindow>(nullptr, CMDLINE_GetHelpText(CMDLINE_aCommands));
  help->setAttribute(Qt::WA_DeleteOnClose, false);
  Shoot(help.get(), dir, "cmd-help");
}
