// The arguments of kestrova-check.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrova {

struct CommandLine {
  bool help = false;
  bool version = false;
  bool listCodes = false;  // --list-codes: print the register of findings
  std::optional<std::u16string> programDir;
  std::optional<std::u16string> output;
  std::optional<std::u16string> json;  // --json FILE: the report of the run
  bool jsonCodes = false;              // --list-codes --json: the register as JSON
  bool quiet = false;                  // --quiet: no log on standard output
  bool advise = false;                 // --advise: advisories on standard error after the run
  // --inspect: the files whose image data to print instead of checking a medium.
  std::optional<std::vector<std::string>> inspectFiles;
  // Absolute paths of the media folders, without a trailing separator, in the order given.
  std::vector<std::u16string> media;
};

struct ParsedCommandLine {
  std::optional<CommandLine> commandLine;
  std::string error;  // a one-line usage error when commandLine is empty
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

extern const char kUsageText[];

}  // namespace kestrova
