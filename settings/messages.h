// The central message function and the log file that receives suppressed messages.
#pragma once

#include <string>

// Reports a message: to the log file when messages are suppressed, to the error
// file during a command-line run, else in a message box. Returns 0.
int ReportMessage(const char* text);
// The error channel of a command-line run. The command-line layer installs it;
// while it takes a message (returns true), messages that are not suppressed go
// there instead of into a message box. Null: no such channel.
using MessageSink = bool (*)(const char* text);
void MESSAGES_SetCommandLineSink(MessageSink sink);
int GetMessageSuppression();
// Sets the suppression switch; returns its previous value.
int SetMessageSuppression(int on);
// Modal message box with the program's caption; a request while one is open is dropped.
void ShowMessageBox(const char* text);
// The same box for a notice that reports no failure (the magnification after a save).
void ShowNotice(const char* text);
// Whether a message was reported in this process so far (through ReportMessage,
// a message box other than a notice, or the error file of a command-line run): a
// command-line run that reported one ends with exit code 1.
bool MESSAGES_AnyReported();
void MESSAGES_NoteReported();
// Appends one message and a line end to <executable base name>.log, beside the
// executable or, with LogInWorkingDir, in the working directory.
void WriteLogFile(const char* text);
// The log file's name for the executable at exePath: in the working directory
// (workingDir) with LogInWorkingDir, else beside the executable where the program
// may write there; an installed program's folder (a system folder such as /usr/bin,
// which holds programs, not what they write, also when root runs them) sends it to
// ${XDG_STATE_HOME:-$HOME/.local/state}/VANTOR/. Empty when there is none.
std::string MESSAGES_LogFileName(const std::string& exePath, int logInWorkingDir, const std::string& workingDir);
