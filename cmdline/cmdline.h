// The command table, the scan of the program's arguments, the job queue for
// deferred commands, the console help and the error file of a command-line run.
#pragma once

#include <string>

// One row of the command table. A row runs its handler at once, or queues its
// command identifier for the main window; the row without either shows the help.
struct CommandEntry {
  const char* name;     // command word behind '-' or '/'; null ends the table
  void (*handler)();    // reads its values with the CMDLINE_ readers
  int action;           // command identifier of a deferred command
  int reserved;         // second word of a deferred command's dispatch (always 0)
  const char* help;     // shown behind the name by the help
};

// Carries out a deferred command: sends command 'id' to the main window.
using CommandDispatcher = void (*)(int id, int word);

enum { CMDLINE_MAX_JOBS = 20, CMDLINE_MAX_ARG_TEXT = 200, CMDLINE_MAX_ARGUMENT = 260 };
enum { ID_FILE_EXIT = 528 };

extern const CommandEntry CMDLINE_aCommands[];

// Starts the command-line state of a run: no job queued, no error seen, no error
// file opened yet (errors go to errorFileName), the window to be shown, and
// command-line mode off.
void CMDLINE_Init(const char* errorFileName, int exitId, CommandDispatcher dispatcher);
// Scans the program's arguments (argv[0] is the program); 0 on success, 1 on failure.
int CMDLINE_ProcessArgs(int argc, char** argv);
// Runs one command given as the text behind its '-' or '/'; 1 when its name was found.
int CMDLINE_Execute(const char* text, const CommandEntry* table);
void CMDLINE_AddJob(const CommandEntry* entry, const char* text);
void CMDLINE_OnTimer();
void CMDLINE_NextJob();
void CMDLINE_ShowHelp(const CommandEntry* table);
// The help text: "Valid command line options:" and one row per command.
const char* CMDLINE_GetHelpText(const CommandEntry* table);
// The extension of a file name (from the last dot of its last part), lower case.
std::string CMDLINE_LowerExtension(const char* name);
// Records an error of a command-line run in the error file; nothing outside one.
void CMDLINE_ReportError(const char* message);
bool CMDLINE_IsActive();
void CMDLINE_SetActive(bool active);
int CMDLINE_GetNumJobs();
// Whether the main window is to be shown (cleared by -hide).
bool CMDLINE_GetShowWindow();
void CMDLINE_SetShowWindow(bool show);
// Set once the help was printed: the program ends with code 0.
bool CMDLINE_QuitPosted();
// The argument at which the scan stopped without a message: a command name not
// in the table (or a '/' path that names no file) or a second file argument; null
// when the scan did not stop so.
const char* CMDLINE_GetStopArgument();
// True from the scan on while the 20 ms timer of the job queue lives.
bool CMDLINE_TimerRunning();
// One tick of that timer: advances the queue, then stops once command-line mode is off.
void CMDLINE_TimerTick();
