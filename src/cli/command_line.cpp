#include "command_line.h"

#include <algorithm>
#include <filesystem>

#include "check/result_file.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"

namespace kestrova {

const char kUsageText[] =
    "Usage: kestrova-check [--program-dir DIR] [--output FILE] [--json FILE] [--quiet] [--advise]\n"
    "                      MEDIUM [NEXT_MEDIUM ...]\n"
    "       kestrova-check --inspect FILE...\n"
    "       kestrova-check --list-codes [--json]\n"
    "\n"
    "Checks the medium image in the folder MEDIUM and writes the result log to standard output.\n"
    "Each prompt for the next medium of a set is answered with the next NEXT_MEDIUM folder.\n"
    "\n"
    "  --program-dir DIR  folder holding the rule folders (default: the program's folder)\n"
    "  --output FILE      also write the result file (UTF-16 with byte order mark, CR LF)\n"
    "  --json FILE        also write the report of the run as JSON\n"
    "  --quiet            write no result log to standard output\n"
    "  --advise           after the run, print the advisories (facts the rules do not report,\n"
    "                     such as photos that no entry names) on standard error\n"
    "  --inspect FILE...  print what the image reader finds in each photo or drawing file,\n"
    "                     one JSON object per line\n"
    "  --list-codes       print every finding the check can write: code, tag and sentence,\n"
    "                     separated by tabs, one finding per line; with --json as JSON\n"
    "  --help             show this text\n"
    "  --version          show the version\n"
    "\n"
    "Exit status: 0 nothing found, 1 findings, 2 the run stopped, 3 cancelled,\n"
    "64 usage error, 71 the program folder could not be found, 74 the result file or\n"
    "standard output could not be written.\n";

namespace {

std::u16string AbsoluteFolderText(const std::string& arg) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(arg, error).lexically_normal();
  std::u16string text = FromFsPath(path);
  while (text.size() > 1 && text.back() == kPathSeparator) {
    text.pop_back();
  }
  return text;
}

ParsedCommandLine Fail(std::string message) { return {std::nullopt, std::move(message)}; }

// Whether writing a file to output would write into one of the media folders, their links
// followed.
bool WritesIntoMedium(const std::u16string& output, const std::vector<std::u16string>& media) {
  std::error_code error;
  const auto target = std::filesystem::weakly_canonical(ResultFileTarget(ToFsPath(output)), error);
  for (const std::u16string& medium : media) {
    const auto folder = std::filesystem::canonical(ToFsPath(medium), error);
    if (!error && LiesInsideFolder(target, folder)) {
      return true;
    }
  }
  return false;
}

// The absolute path of a file to write, or empty when no file can be written there.
std::optional<std::u16string> OutputFile(const std::string& value) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(value, error);
  if (value.empty() || !IsDirectory(absolute.parent_path()) || IsDirectory(absolute)) {
    return std::nullopt;
  }
  return FromFsPath(absolute);
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool optionsEnded = false;
  // With --list-codes, --json names the form of the list rather than a report file.
  const bool listingCodes = std::find(args.begin(), args.end(), "--list-codes") != args.end();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--json" && listingCodes) {
      line.jsonCodes = true;
    } else if (!optionsEnded && (arg == "--program-dir" || arg == "--output" || arg == "--json")) {
      if (i + 1 >= args.size()) {
        return Fail(arg + " needs a value");
      }
      const std::string& value = args[++i];
      if (arg == "--program-dir") {
        if (!IsDirectory(value)) {
          return Fail("program folder is not a folder: " + value);
        }
        line.programDir = AbsoluteFolderText(value);
      } else {
        std::optional<std::u16string>& file = arg == "--output" ? line.output : line.json;
        file = OutputFile(value);
        if (!file) {
          return Fail(std::string(arg == "--output" ? "cannot write the result file here: "
                                                    : "cannot write the report here: ") +
                      value);
        }
      }
    } else if (!optionsEnded && arg == "--inspect") {
      line.inspectFiles.emplace(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      if (line.inspectFiles->empty()) {
        return Fail("--inspect needs at least one file");
      }
      break;
    } else if (!optionsEnded && arg == "--help") {
      line.help = true;
    } else if (!optionsEnded && arg == "--version") {
      line.version = true;
    } else if (!optionsEnded && arg == "--list-codes") {
      line.listCodes = true;
    } else if (!optionsEnded && arg == "--quiet") {
      line.quiet = true;
    } else if (!optionsEnded && arg == "--advise") {
      line.advise = true;
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      return Fail("unknown option: " + arg);
    } else {
      if (!IsDirectory(arg)) {
        return Fail("medium is not a folder: " + arg);
      }
      line.media.push_back(AbsoluteFolderText(arg));
    }
  }
  if (!line.help && !line.version && !line.listCodes && !line.inspectFiles && line.media.empty()) {
    return Fail("no medium given");
  }
  if (line.output && WritesIntoMedium(*line.output, line.media)) {
    return Fail("the result file must not be written into a medium: " + Utf16ToUtf8(*line.output));
  }
  if (line.json && WritesIntoMedium(*line.json, line.media)) {
    return Fail("the report must not be written into a medium: " + Utf16ToUtf8(*line.json));
  }
  return {std::move(line), {}};
}

}  // namespace kestrova
