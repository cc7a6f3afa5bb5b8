// kestrova-check: checks a medium image from the command line.
#include <csignal>
#include <cstdio>
#include <deque>
#include <optional>

#include "advisory_text.h"
#include "check/check_run.h"
#include "check/engine_session.h"
#include "check/result_file.h"
#include "code_list.h"
#include "command_line.h"
#include "console_host.h"
#include "exit_status.h"
#include "image/check_hash_module.h"
#include "inspect_command.h"
#include "json_report.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "run/run_globals.h"
#include "run/version.h"

namespace kestrova {
namespace {

extern "C" void RequestCancel(int) { g_bCancel.store(1); }

// Checks the media the command line names and writes what it asks for; the exit status.
int CheckMedia(const CommandLine& line) {
  struct sigaction action {};
  action.sa_handler = RequestCancel;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // A reader that goes away (`| head`) must not end the run: the result file and the exit
  // status still come, and the failed write is reported below.
  std::signal(SIGPIPE, SIG_IGN);

  std::deque<std::u16string> nextMedia(line.media.begin() + 1, line.media.end());
  ConsoleHost host(line.quiet ? nullptr : stdout, stderr, std::move(nextMedia));
  // The report also collects the media that the advisories are taken from.
  std::optional<JsonReport> report;
  if (line.json || line.advise) {
    report.emplace();
    host.SetReport(&*report);
  }
  CheckRun run(host);
  Aim(run, FolderTarget(line.media.front()));
  run.RunCheck();
  const bool logWritten = host.FinishLog();

  int status = ExitStatusOf(run.m_finalResult);
  if (line.output && !WriteResultFile(ToFsPath(*line.output), host.LogText())) {
    std::fprintf(stderr, "kestrova-check: cannot write the result file %s\n",
                 Utf16ToUtf8(*line.output).c_str());
    status = kExitCannotWrite;
  }
  if (!logWritten) {
    std::fputs("kestrova-check: cannot write the result log to standard output\n", stderr);
    status = kExitCannotWrite;
  }
  if (report) {
    for (const CheckedMedium& medium : report->Media()) {
      if (medium.mediaNumber != 0) {
        report->AddAdvisories(CollectAdvisories(medium.folder, medium.mediaNumber));
      }
    }
    if (line.advise) {
      for (const Advisory& advisory : report->Advisories()) {
        std::fprintf(stderr, "kestrova-check: %s\n", AdvisoryText(advisory).c_str());
      }
    }
  }
  if (line.json) {
    const ReportEnd end{g_szRuleSet,
                        g_strGuideline,
                        run.m_counters.m_nMustFix,
                        run.m_counters.m_nMustConfirm,
                        run.m_counters.m_nPhotoCount,
                        run.m_finalResult,
                        status};
    if (!WriteOutputFile(ToFsPath(*line.json), DumpJsonLine(report->Build(end)) + "\n")) {
      std::fprintf(stderr, "kestrova-check: cannot write the report %s\n",
                   Utf16ToUtf8(*line.json).c_str());
      status = kExitCannotWrite;
    }
  }
  return status;
}

}  // namespace
}  // namespace kestrova

int main(int argc, char** argv) {
  using namespace kestrova;
  const auto parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.commandLine) {
    std::fprintf(stderr, "kestrova-check: %s\nTry 'kestrova-check --help'.\n",
                 parsed.error.c_str());
    return kExitUsage;
  }
  const CommandLine& line = *parsed.commandLine;
  if (line.help) {
    std::fputs(kUsageText, stdout);
    return 0;
  }
  if (line.version) {
    std::printf("kestrova-check %s\n", kVersion);
    return 0;
  }
  if (line.listCodes) {
    PrintCodeList(stdout, line.jsonCodes);
    return 0;
  }
  if (line.inspectFiles) {
    return RunInspect(*line.inspectFiles, stdout);
  }
  // Without its own folder the checker has no rule tables and no library it may trust: it loads
  // nothing, least of all from the current folder, which may be a medium.
  if (!EngineSession::UseProgramFolder(line.programDir)) {
    std::fputs(
        "kestrova-check: cannot find the folder of its own executable; "
        "name the program folder with --program-dir\n",
        stderr);
    return kExitProgramFolderUnknown;
  }
  int status = 0;
  {
    const EngineSession session;
    status = CheckMedia(line);
  }
  EndProcessIfCheckHashCallsInFlight(status);
  return status;
}
