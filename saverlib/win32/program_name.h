// Where the arguments of a Windows command line begin. The line that GetCommandLineA returns starts with the
// program's own name, quoted when it contains blanks; the saver's switches follow it.
#pragma once

namespace saverlib {

// Returns the first character after the program name and the blanks (spaces, tabs) that follow it. A quoted
// name ends at its closing quote; a name whose closing quote is missing takes the whole line, leaving no
// arguments. Never returns null: a null line has no arguments.
const char* SkipProgramName(const char* commandLine);

}  // namespace saverlib
