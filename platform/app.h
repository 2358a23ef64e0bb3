// What the running program knows about itself: its title (shown by message boxes that have no
// title of their own), its command line and the name of its program file.
#pragma once

#include <string>

namespace platform {

// The application title; empty until the program sets it.
const std::string& AppTitle();
void SetAppTitle(const std::string& title);

// The argument text that follows the program name on the command line, without the spaces
// that separate it from the name ("" when there is none).
std::string CommandLineArguments();
// The same for a given command line (the program name may be quoted).
std::string ArgumentsOf(const std::string& commandLine);
// The first item of a command line or argument text, as ArgumentsOf skips it: up to the next
// blank, or between quotes (without them) when it starts with one; "" when the text is blank.
std::string FirstArgumentOf(const std::string& commandLine);

// The running program's file name without folder and extension ("discpilot").
std::string ProgramName();
// The folder of the running program's file, without a trailing backslash ("C:\Games\DiscPilot").
std::string ProgramFolder();

}  // namespace platform
