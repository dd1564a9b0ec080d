#include "runner/job_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "batch/windows_arguments.h"
#include "batch/job_failures.h"
#include "runner/tool_lookup.h"
#include "batch/ascii_case.h"

extern char** environ;

namespace sgrunner {

namespace {

using sgbatch::equalsNoCase;

bool isNul(const std::string& name) { return equalsNoCase(name, "nul"); }

// The words of a del command: delimiters separate them, quotes group and are removed.
std::vector<std::string> delWords(const std::string& rest) {
  std::vector<std::string> words;
  std::string cur;
  bool quoted = false, any = false;
  for (char c : rest) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
      continue;
    }
    if (!quoted && sgbatch::isDelimiter(c)) {
      if (any) words.push_back(cur);
      cur.clear();
      any = false;
      continue;
    }
    cur += c;
    any = true;
  }
  if (any) words.push_back(cur);
  return words;
}

}  // namespace

bool isWorkingFolderName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("/\\:") == std::string::npos;
}

// A file of the working folder that a redirection may write: named in the folder, and either
// absent or a plain file there. A link (which may lead anywhere), a pipe or a folder under that
// name is not written through.
bool writableInWorkingFolder(const std::string& name) {
  if (!isWorkingFolderName(name)) return false;
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(name, ec);
  return status.type() == std::filesystem::file_type::not_found ||
         (!ec && status.type() == std::filesystem::file_type::regular);
}

bool matchesPattern(const std::string& name, const std::string& pattern) {
  // Iterative wildcard match with backtracking to the last star.
  size_t n = 0, p = 0, star = std::string::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || sgbatch::lowerAscii(pattern[p]) == sgbatch::lowerAscii(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool JobRunner::runFile(const std::string& batchFile, RunResult& result) {
  std::error_code ec;
  if (std::filesystem::is_directory(batchFile, ec)) {
    report_ << "the batch file " << batchFile << " is a folder; not run\n";
    return false;
  }
  std::ifstream in(batchFile, std::ios::binary);
  if (!in) return false;
  // The largest job the app writes (1,000 renders of 128 layers) is a few megabytes. What is
  // read is counted, not the size the file claims: a device or a pipe has none.
  constexpr size_t kMaxBatchBytes = size_t(64) << 20;
  std::string content;
  std::vector<char> block(1 << 16);
  while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    content.append(block.data(), static_cast<size_t>(in.gcount()));
    if (content.size() > kMaxBatchBytes) {
      report_ << "the batch file " << batchFile << " is larger than any job (64 MB); not run\n";
      return false;
    }
  }
  if (in.bad()) return false;
  result = runContent(content, batchFile);
  return true;
}

RunResult JobRunner::runContent(const std::string& content, const std::string& batchName) {
  RunResult result;
  outputLog_ = sgbatch::jobOutputLog(batchName).value_or("");
  int lineNumber = 0;
  // The longest line the app writes (a merge of 1,000 layers) is some 22,000 characters.
  constexpr size_t kMaxLine = 256 * 1024;
  for (const std::string& raw : sgbatch::batchLines(content)) {
    ++lineNumber;
    if (raw.size() > kMaxLine) {
      skip(lineNumber, "the line is longer than any line of a job", result);
      result.lastStatus = 1;
      continue;
    }
    std::string expanded = sgbatch::expandPercents(raw, batchName, sgbatch::processVariable);
    std::vector<sgbatch::Command> commands = sgbatch::parseLine(expanded);
    sgbatch::Connector before = sgbatch::Connector::End;
    for (const sgbatch::Command& command : commands) {
      bool piped = before == sgbatch::Connector::Pipe || command.next == sgbatch::Connector::Pipe;
      bool run = before == sgbatch::Connector::End || before == sgbatch::Connector::Always ||
                 before == sgbatch::Connector::Pipe ||
                 (before == sgbatch::Connector::IfSucceeded && result.lastStatus == 0) ||
                 (before == sgbatch::Connector::IfFailed && result.lastStatus != 0);
      before = command.next;
      if (!run) continue;
      if (piped) {
        skip(lineNumber, "pipes are not run", result);
        result.lastStatus = 1;
        continue;
      }
      result.lastStatus = runCommand(command, lineNumber, result);
    }
  }
  out_.flush();
  report_.flush();
  // A job whose tools said nothing leaves no output log behind.
  std::error_code ec;
  if (!outputLog_.empty() && std::filesystem::is_regular_file(outputLog_, ec) &&
      std::filesystem::file_size(outputLog_, ec) == 0 && !ec)
    std::filesystem::remove(outputLog_, ec);
  return result;
}

void JobRunner::skip(int lineNumber, const std::string& why, RunResult& result) {
  report_ << "line " << lineNumber << " skipped: " << why << "\n";
  ++result.commandsSkipped;
}

int JobRunner::runCommand(const sgbatch::Command& command, int lineNumber, RunResult& result) {
  sgbatch::CommandWord word = sgbatch::commandWord(command.text);
  if (word.word.empty() && command.redirections.empty()) return result.lastStatus;
  if (equalsNoCase(word.word, "rem") || (!word.word.empty() && word.word[0] == ':'))
    return result.lastStatus;
  int status;
  if (equalsNoCase(word.word, "echo")) {
    status = runEcho(command, word, lineNumber);
  } else if (equalsNoCase(word.word, "del") || equalsNoCase(word.word, "erase")) {
    status = runDel(word, lineNumber);
  } else if (isRenderTool(word.word)) {
    auto path = findRenderTool(word.word, ".");
    if (!path) {
      skip(lineNumber, "'" + word.word + "' is not in the working folder", result);
      if (!outputLog_.empty())
        sgbatch::appendJobFailure(outputLog_, "line " + std::to_string(lineNumber),
                                  word.word + " is not in the working folder");
      return 9009;
    }
    status = runTool(command, word, *path, lineNumber);
    // A tool that ends normally says why it failed itself; one that was killed or never ran cannot.
    if (!outputLog_.empty() && status > 128)
      sgbatch::appendJobFailure(outputLog_, "line " + std::to_string(lineNumber),
                                word.word + (status == 9009 ? " could not be started" : " was stopped by signal " +
                                                                                           std::to_string(status - 128)));
  } else {
    skip(lineNumber, "'" + word.word + "' is not a command that jobs run", result);
    return 9009;
  }
  ++result.commandsRun;
  return status;
}

int JobRunner::runEcho(const sgbatch::Command& command, const sgbatch::CommandWord& word,
                       int lineNumber) {
  std::optional<std::string> text = sgbatch::echoText(word);
  const sgbatch::Redirection* target = nullptr;
  for (const auto& r : command.redirections)
    if (r.handle == 1 && r.duplicateOf < 0) target = &r;
  if (!target) {
    if (text) out_ << *text << "\r\n";
    return 0;
  }
  if (isNul(target->file)) return 0;
  if (!writableInWorkingFolder(target->file)) {
    report_ << "line " << lineNumber << ": echo to '" << target->file
            << "' refused: only files of the working folder are written\n";
    return 1;
  }
  // Opened without following a link planted after the look above, and without waiting on a pipe.
  const int fd = ::open(target->file.c_str(),
                        O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (target->append ? O_APPEND : O_TRUNC),
                        0644);
  std::string line = text ? *text + "\r\n" : std::string();
  bool ok = fd >= 0;
  for (size_t at = 0; ok && at < line.size();) {
    const ssize_t n = ::write(fd, line.data() + at, line.size() - at);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) at += static_cast<size_t>(n);
  }
  if (fd >= 0) ok = ::close(fd) == 0 && ok;
  if (!ok) {
    report_ << "line " << lineNumber << ": could not write to " << target->file << "\n";
    return 1;
  }
  return 0;
}

int JobRunner::runDel(const sgbatch::CommandWord& word, int lineNumber) {
  int status = 0;
  for (const std::string& pattern : delWords(word.rest)) {
    if (equalsNoCase(pattern, "/q") || equalsNoCase(pattern, "/f")) continue;
    if (!isWorkingFolderName(pattern)) {
      report_ << "line " << lineNumber << ": del '" << pattern
              << "' refused: only files of the working folder are deleted\n";
      status = 1;
      continue;
    }
    std::vector<std::filesystem::path> victims;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(".", ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
      std::error_code fec;
      if (!it->is_regular_file(fec) || it->is_symlink(fec)) continue;
      if (matchesPattern(it->path().filename().string(), pattern)) victims.push_back(it->path());
    }
    if (victims.empty()) {
      report_ << "line " << lineNumber << ": Could Not Find " << pattern << "\n";
      continue;
    }
    for (const auto& v : victims) {
      std::error_code rec;
      if (!std::filesystem::remove(v, rec)) {
        report_ << "line " << lineNumber << ": could not delete " << v.filename().string() << "\n";
        status = 1;
      }
    }
  }
  return status;
}

int JobRunner::runTool(const sgbatch::Command& command, const sgbatch::CommandWord& word,
                       const std::string& path, int lineNumber) {
  std::vector<std::string> args = sgbatch::splitWindowsArguments(word.rest);
  std::vector<char*> argv;
  std::string program = path;
  argv.push_back(program.data());
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  // What the tool prints goes to the job's output log, unless the line redirects it.
  if (!outputLog_.empty()) {
    posix_spawn_file_actions_addopen(&actions, 1, outputLog_.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  bool refused = false;
  for (const auto& r : command.redirections) {
    if (r.handle != 1 && r.handle != 2) continue;
    if (r.duplicateOf >= 0) {
      posix_spawn_file_actions_adddup2(&actions, r.duplicateOf, r.handle);
      continue;
    }
    std::string file = isNul(r.file) ? "/dev/null" : r.file;
    if (!isNul(r.file) && !writableInWorkingFolder(r.file)) {
      refused = true;
      report_ << "line " << lineNumber << ": output to '" << r.file
              << "' refused: only files of the working folder are written\n";
      continue;
    }
    posix_spawn_file_actions_addopen(&actions, r.handle, file.c_str(),
                                     O_WRONLY | O_CREAT | (isNul(r.file) ? 0 : O_NOFOLLOW) |
                                         (r.append ? O_APPEND : O_TRUNC),
                                     0644);
  }
  if (refused) {
    posix_spawn_file_actions_destroy(&actions);
    return 1;
  }
  out_.flush();
  report_.flush();
  pid_t pid = 0;
  int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    report_ << "line " << lineNumber << ": could not start " << path << ": " << std::strerror(rc)
            << "\n";
    return 9009;
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return 1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

}  // namespace sgrunner
