// The start-up of the program, free of Qt: settings, tables, the command line and
// its job queue run before any window exists, so that a run which ends through a
// queued exit never loads the window toolkit and needs no display. Only a run that
// goes on in the window loads the window module and hands over to it.
#pragma once

#include <string>
#include <vector>

// What the window module is given when the program goes on with its window.
struct ShellStart {
  int* pArgc = nullptr;
  char** argv = nullptr;
  // The command line was empty: New runs as soon as the window is up.
  bool RunNew = false;
  // Messages raised while the command line ran, before a window could show them.
  std::vector<std::string> PendingMessages;
};

// The window module's entry: creates the application and the main window, shows
// it, runs the message loop and returns the exit code.
using ShellWindowEntry = int (*)(ShellStart* pStart);

// Receives the commands of the command sender once the main window exists.
using ShellCommandTarget = void (*)(int id);
void SHELL_SetCommandTarget(ShellCommandTarget target);
// The command sender handed to the job runner: the command goes to the main window's
// dispatch (before there is one only Exit has an effect), then the runner moves to
// its next job. A send while another is in progress is ignored.
void SHELL_SendCommand(int id, int word);
// True once Exit was sent while no window existed.
bool SHELL_ExitSent();

// The program: start-up, the command line, then either the end of a run that was
// hidden or sent Exit, or the window (loaded by 'loadWindow'). The result is the
// process's exit code: 1 when the command line reported a message, when a hidden
// run's scan stopped, or when no window can be opened; else the window's.
int SHELL_Main(int argc, char** argv, ShellWindowEntry (*loadWindow)());
