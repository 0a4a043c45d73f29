#include "platform/process/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

extern char** environ;

namespace platform {

ChildProcess::~ChildProcess() {
  if (identity_.pid > 0 && !exitCode_) {
    Kill();
    WaitForExit(5000);
  }
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment, const std::filesystem::path& folder,
                         const std::filesystem::path& errorOutput) {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (equals != nullptr) variables[std::string(*entry, static_cast<std::size_t>(equals - *entry))] = equals + 1;
  }
  for (const auto& [name, value] : environment) {
    if (value.empty()) {
      variables.erase(name);
    } else {
      variables[name] = value;
    }
  }
  std::vector<std::string> environmentTexts;
  for (const auto& [name, value] : variables) environmentTexts.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& text : environmentTexts) envp.push_back(text.data());
  envp.push_back(nullptr);

  std::vector<std::string> argumentTexts{program};
  argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argumentTexts) argv.push_back(text.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  if (!errorOutput.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return false;
  exitCode_.reset();
  // The child may not have reached exec yet; its identity is taken as soon as it shows.
  identity_ = ProcessIdentity{pid, 0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (std::optional<ProcessIdentity> live = LiveProcess(pid)) {
      identity_ = *live;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool ChildProcess::RequestTermination() { return identity_.pid > 0 && !exitCode_ && ::kill(identity_.pid, SIGTERM) == 0; }

bool ChildProcess::Kill() { return identity_.pid > 0 && !exitCode_ && ::kill(identity_.pid, SIGKILL) == 0; }

std::optional<int> ChildProcess::WaitForExit(std::uint32_t limitMs) {
  if (exitCode_ || identity_.pid <= 0) return exitCode_;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(identity_.pid, &status, WNOHANG);
    if (done == identity_.pid) {
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return exitCode_;
    }
    if (done < 0 && errno != EINTR) return std::nullopt;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

bool ChildProcess::Running() { return identity_.pid > 0 && !WaitForExit(0); }

}  // namespace platform
