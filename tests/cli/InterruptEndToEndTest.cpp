// Ctrl-C in the middle of a render: the tool stops between blocks, reports
// it, exits with 130 and removes its unfinished output.
#include <sndfile.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <thread>

#include "ToolFixture.h"

extern char** environ;

namespace tamzor::cli::testing {
namespace {

class InterruptTest : public ToolFixture {};

TEST_F(InterruptTest, CtrlCDuringARenderLeavesNoFile) {
  writeSound(path("long.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, testSignal(2, 44100 * 30, 44100));
  const std::string input = path("long.wav"), output = path("out.wav");
  std::vector<std::string> arguments{TAMZOR_CLI, "render", input, output, "--block", "1"};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string errorPath = directory + ".stderr";
  posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, TAMZOR_CLI, &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);

  // Wait until the render is writing its temporary file, then interrupt it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  bool writing = false;
  while (!writing && std::chrono::steady_clock::now() < deadline) {
    for (const std::string& name : entries()) writing = writing || name.rfind(".out.wav.tmp-", 0) == 0;
    if (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(writing);
  kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_EQ(fileBytes(errorPath), "tamzor: error: interrupted; no output written\n");
  unlink(errorPath.c_str());
  EXPECT_EQ(entries(), std::vector<std::string>{"long.wav"});
}

}  // namespace
}  // namespace tamzor::cli::testing
