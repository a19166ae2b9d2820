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
