#include "cmdline/cmdline.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "cmdline/internal/commands.h"
#include "cmdline/internal/helptexts.h"
#include "cmdline/internal/readers.h"
#include "settings/messages.h"
#include "settings/services.h"

const CommandEntry CMDLINE_aCommands[] = {
    {"exit", nullptr, ID_FILE_EXIT, 0, HELP_EXIT},
    {"create", CMD_Create, 0, 0, HELP_CREATE},
    {"edit", CMD_Edit, 0, 0, HELP_EDIT},
    {"enable", CMD_Enable, 0, 0, HELP_ENABLE},
    {"hide", CMD_Hide, 0, 0, HELP_HIDE},
    {"merge", CMD_Merge, 0, 0, HELP_MERGE},
    {"readpattern", CMD_ReadPattern, 0, 0, HELP_READPATTERN},
    {"saveas", CMD_SaveAs, 0, 0, HELP_SAVEAS},
    {"nomessages", CMD_NoMessages, 0, 0, HELP_NOMESSAGES},
    {"?", nullptr, 0, 0, HELP_QUESTION},
    {nullptr, nullptr, 0, 0, nullptr},
};

namespace {

struct Job {
  const CommandEntry* entry;
  char text[CMDLINE_MAX_ARG_TEXT];
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool active = false;
bool exitRequested = false;
bool errorSeen = false;
Job jobs[CMDLINE_MAX_JOBS];
int numJobs = 0;
int currentJob = 0;
int exitId = ID_FILE_EXIT;
CommandDispatcher dispatch = nullptr;
std::string errorFileName = "Morvane.err";
std::unique_ptr<std::FILE, FileCloser> errorFile;
bool errorFileTried = false;
bool showWindow = true;
bool quitPosted = false;
bool timerRunning = false;
std::string helpText;
std::string stopArgument;

bool IsHandler(const CommandEntry* entry) { return entry->handler != nullptr; }

// The message module's command-line channel: the error file while a run is active.
bool TakeMessage(const char* text) {
  if (!active) return false;
  CMDLINE_ReportError(text);
  return true;
}

// An argument starting with '/' is an absolute path when it names an existing file
// (anything but a folder), and a command otherwise: "/?" and "/exit" stay commands.
bool IsCommand(const char* arg) {
  if (arg[0] == '-') return true;
  if (arg[0] != '/') return false;
  struct stat st;
  return stat(arg, &st) != 0 || S_ISDIR(st.st_mode);
}

// Opens the error file: created, or emptied when it is a regular file. A symbolic
// link of that name is not followed, and a FIFO or device is not waited for or
// written to: then there is no error file, as when it cannot be created.
std::FILE* OpenErrorFile(const std::string& name) {
  const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat st;
  std::FILE* f = nullptr;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ftruncate(fd, 0) == 0) f = fdopen(fd, "wb");
  if (!f) close(fd);
  return f;
}

// Whether the arguments end the run without its window: an exit or hide command
// among them (names match by prefix).
bool EndsWithoutWindow(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!IsCommand(argv[i])) continue;
    if (std::strncmp(argv[i] + 1, "exit", 4) == 0 || std::strncmp(argv[i] + 1, "hide", 4) == 0) return true;
  }
  return false;
}

}  // namespace

std::string CMDLINE_LowerExtension(const char* name) {
  const char* base = std::strrchr(name, '/');
  base = base ? base + 1 : name;
  const char* dot = std::strrchr(base, '.');
  std::string ext = dot ? dot : "";
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

void CMDLINE_Init(const char* fileName, int exitIdentifier, CommandDispatcher dispatcher) {
  active = exitRequested = errorSeen = false;
  numJobs = currentJob = 0;
  errorFile.reset();
  errorFileTried = false;
  showWindow = true;
  quitPosted = timerRunning = false;
  stopArgument.clear();
  CMDLINE_ClearError();
  errorFileName = fileName;
  exitId = exitIdentifier;
  dispatch = dispatcher;
  MESSAGES_SetCommandLineSink(TakeMessage);
}

bool CMDLINE_IsActive() { return active; }
void CMDLINE_SetActive(bool on) {
  active = on;
  MESSAGES_SetCommandLineSink(TakeMessage);
}
int CMDLINE_GetNumJobs() { return numJobs; }
bool CMDLINE_GetShowWindow() { return showWindow; }
void CMDLINE_SetShowWindow(bool show) { showWindow = show; }
bool CMDLINE_QuitPosted() { return quitPosted; }
bool CMDLINE_TimerRunning() { return timerRunning; }
const char* CMDLINE_GetStopArgument() { return stopArgument.empty() ? nullptr : stopArgument.c_str(); }

int CMDLINE_ProcessArgs(int argc, char** argv) {
  if (argc <= 1) {
    SERVICES_Get()->ShowMainWindow(true);
    return 0;
  }
  bool fileArgOpen = true;
  bool ok = true;
  CMDLINE_ClearError();
  // The file argument of a run that goes on in its window is read as the window
  // reads files: its messages are the user's to see, not the error file's.
  const bool interactive = !EndsWithoutWindow(argc, argv);
  for (int i = 1; i < argc && ok; ++i) {
    const char* arg = argv[i];
    if (std::strlen(arg) >= CMDLINE_MAX_ARGUMENT) {
      ReportMessage("Argument too long!");
      return 1;
    }
    if (IsCommand(arg)) {
      ok = CMDLINE_Execute(arg + 1, CMDLINE_aCommands) != 0;
      if (!ok) stopArgument = arg;
      ok = ok && !CMDLINE_GetError();
    } else if (fileArgOpen) {
      std::string ext = CMDLINE_LowerExtension(arg);
      if (ext != ".c" && ext != ".xbf") {
        if (interactive)
          ReportMessage("File extension must be 'XBF' or 'C'");
        else if (!GetMessageSuppression())
          CMDLINE_ReportError("File extension must be 'XBF' or 'C'");
        ok = false;
      } else if (interactive) {
        const bool wasActive = active;
        active = false;
        if (CMD_OpenFile(arg, ext == ".xbf") == 0) fileArgOpen = false;
        active = wasActive;
      } else {
        CMDLINE_SetActive(true);
        if (CMD_OpenFile(arg, ext == ".xbf") == 0) fileArgOpen = false;
      }
    } else {
      stopArgument = arg;
      ok = false;
    }
  }
  if (showWindow) SERVICES_Get()->ShowMainWindow(true);
  if (!ok) {
    if (!GetMessageSuppression()) CMDLINE_ShowHelp(CMDLINE_aCommands);
    return 1;
  }
  if (numJobs > 0) timerRunning = true;
  return 0;
}

int CMDLINE_Execute(const char* text, const CommandEntry* table) {
  size_t len = std::strlen(text);
  for (const CommandEntry* row = table; row->name; ++row) {
    size_t nameLen = std::strlen(row->name);
    if (len < nameLen) continue;
    active = true;
    if (std::strncmp(text, row->name, nameLen) != 0) continue;
    if (!IsHandler(row) && row->action == 0) {
      CMDLINE_ShowHelp(table);
    } else {
      CMDLINE_AddJob(row, text + nameLen);
    }
    return 1;
  }
  active = false;
  return 0;
}

void CMDLINE_AddJob(const CommandEntry* entry, const char* text) {
  if (IsHandler(entry)) {
    CMDLINE_SetArgText(text);
    entry->handler();
    return;
  }
  // The queue holds 20 jobs; further ones are dropped (a queued exit still ends the run).
  if (numJobs < CMDLINE_MAX_JOBS) {
    Job& job = jobs[numJobs++];
    job.entry = entry;
    std::snprintf(job.text, sizeof(job.text), "%s", text);
  }
  active = true;
  if (entry->action == exitId) exitRequested = true;
}

void CMDLINE_OnTimer() {
  if (!active || errorSeen) {
    if (exitRequested && dispatch) dispatch(exitId, 0);
    return;
  }
  if (currentJob < numJobs && dispatch) {
    const Job& job = jobs[currentJob];
    CMDLINE_SetArgText(job.text);
    dispatch(job.entry->action, job.entry->reserved);
  }
}

void CMDLINE_NextJob() {
  if (++currentJob >= numJobs) active = false;
}

void CMDLINE_TimerTick() {
  if (!timerRunning) return;
  CMDLINE_OnTimer();
  if (!active) timerRunning = false;
}

const char* CMDLINE_GetHelpText(const CommandEntry* table) {
  helpText = "Valid command line options:\r\n\r\n";
  for (const CommandEntry* row = table; row->name; ++row) {
    helpText += "-";
    helpText += row->name;
    helpText += row->help;
    helpText += "\r\n";
  }
  return helpText.c_str();
}

void CMDLINE_ShowHelp(const CommandEntry* table) {
  if (!active) return;
  std::fputs(CMDLINE_GetHelpText(table), stdout);
  std::fputs("***************** Press Enter to Continue *****************\n", stdout);
  std::fflush(stdout);
  quitPosted = true;
}

void CMDLINE_ReportError(const char* message) {
  if (!active) return;
  MESSAGES_NoteReported();
  if (!errorSeen) {
    errorSeen = true;
    active = false;
  }
  if (!errorFile && !errorFileTried) {
    errorFileTried = true;
    errorFile.reset(OpenErrorFile(errorFileName));
  }
  if (!errorFile) return;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::fprintf(errorFile.get(), "\r\n* %4d-%02d-%02d, %02d:%02d:%02d\r\n%s", local.tm_year + 1900,
               local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, message);
  std::fflush(errorFile.get());
}
