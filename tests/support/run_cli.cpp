#include "support/run_cli.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "support/temp_dir.h"

namespace tarnwick::testing {

CliRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
  CliRun run;
  TempDir dir;
  // Files rather than pipes: the child can write any amount to both without waiting for us.
  const std::string out_path = (dir.path() / "out").string();
  const std::string err_path = (dir.path() / "err").string();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  pid_t pid = ::fork();
  if (pid < 0) return run;
  if (pid == 0) {
    int in = ::open("/dev/null", O_RDONLY);
    int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  pid_t waited;
  do {
    waited = ::waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited == pid && WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
  auto out = ReadFileBytes(out_path);
  auto err = ReadFileBytes(err_path);
  run.out.assign(out.begin(), out.end());
  run.err.assign(err.begin(), err.end());
  return run;
}

}  // namespace tarnwick::testing
#endif
