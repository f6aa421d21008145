#include "output/savetest.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "model/codetables.h"
#include "output/save.h"

SaveTest::SaveTest() {
  setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
  SERVICES_Install(&services);
  UNICODE_Init();
  SJIS_Init();
}

SaveTest::~SaveTest() { SERVICES_Install(nullptr); }

void SaveTest::UseSettings(const std::string& body) { WriteSettingsFile(dir, body); }

std::string SaveTest::Save(Font* pFont, const std::string& name, int format, int ask, int* pResult) {
  FONT_SetFileName(pFont, dir.file(name).c_str());
  const int result = OUT_Save(pFont, format, ask);
  if (pResult) *pResult = result;
  return ReadFile(dir.file(name));
}

int InChild(const std::function<int()>& body, bool unprivileged) {
  const pid_t pid = fork();
  if (pid == 0) {
    alarm(180);
    if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
