// The central message function and the log file that receives suppressed messages.
#pragma once

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
// Appends one message and a line end to <executable base name>.log, beside the
// executable or, with LogInWorkingDir, in the working directory.
void WriteLogFile(const char* text);
