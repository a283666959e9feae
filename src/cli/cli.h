#pragma once

#include <span>
#include <string>

namespace dwelvane {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs dwelvane-cli with the words after the program name; returns the exit code.
int RunCli(std::span<const std::string> words);

// Prints "dwelvane-cli: MESSAGE" on standard error.
void ReportError(const std::string& message);

// Prints the message and where to find help on standard error; returns kExitUsage.
int ReportUsageError(const std::string& message);

}  // namespace dwelvane
