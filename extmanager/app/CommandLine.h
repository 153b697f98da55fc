#pragma once
#include <string>

// What the command line asks Quenlo to do.
struct LaunchPlan {
  enum class Mode {
    Dialog,      // the tree dialog
    SilentAll,   // "/i" or "/u" alone: every switch
    OpenOffice,  // "/ioo" or "/uoo"
    SilentKinds, // "/i" or "/u" with a code list
    Nothing,     // two arguments that are not a switch and a code list
  };
  Mode mode = Mode::Dialog;
  int bits = 0;
  int value = 0;
  bool logging = false;
};

// The plan for a whole command line as GetCommandLineW gives it.
LaunchPlan PlanLaunch(const std::wstring& commandLine);
// The text after the program name and the blanks that follow it.
std::wstring ArgumentsText(const std::wstring& commandLine);
