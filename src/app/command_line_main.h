#pragma once

namespace tessaly::app {

// Whether the program's arguments ask for the command line ("tessaly
// --check ...", "--help", "--version") rather than the window.
bool wantsCommandLine(int argc, char** argv);

// Runs the command line without any window system (no display needed) and
// returns the exit status.
int runCommandLine(int argc, char** argv);

} // namespace tessaly::app
