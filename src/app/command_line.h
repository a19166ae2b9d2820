#pragma once

// The two options the program answers itself; everything else on the
// command line goes to GLUT.

// The two lines printed at every start.
extern const char usageText[];

enum class Request { run, help, version };

// --help or --version, whichever comes first, anywhere on the command line.
Request requestFrom(int argc, char** argv);

// GNU-style texts on standard output.
void printHelp();
void printVersion();

// Flushes standard output; 0 when everything reached it, else 1 after a
// message on standard error. The exit status for --help and --version.
int endOutput();
