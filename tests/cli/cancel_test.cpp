// Ctrl-C during `vlam render`: the tool stops, says so in one line, exits
// with the cancel code and leaves only complete frames behind.
#include "cli_support.h"
#include "host/io/ImageFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

using vlam::test::CliDir;

namespace {

std::vector<std::string> framesIn(const std::filesystem::path &dir) {
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(dir))
    if (entry.path().filename().string().rfind("f_", 0) == 0) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(CliCancel, InterruptStopsTheRenderAndWritesOnlyWholeFrames) {
  CliDir dir;
  // Many frames of the module stack: the tool is busy when the signal comes.
  std::string scene = vlam::test::readFile(std::filesystem::path(VLAM_SOURCE_DIR) / "scenes" / "module-stack.json");
  scene.replace(scene.find("1920"), 4, "160");
  scene.replace(scene.find("1080"), 4, "90");
  scene.replace(scene.find("\"duration\": 48"), 14, "\"duration\": 5000");
  vlam::test::writeFile(dir / "scene.json", scene);

  const std::string cli = VLAM_CLI_PATH, settings = (dir / "settings.json").string(),
                    sceneFile = (dir / "scene.json").string(), output = (dir / "f_####.png").string(),
                    errFile = (dir / "stderr.txt").string();
  std::vector<std::string> args = {cli, "--settings", settings, "render", sceneFile, "--frames", "0-4999",
                                   "-o", output, "--threads", "2"};
  std::vector<char *> argv;
  for (auto &a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);

  // Wait for the first frame on disk (bounded: a tool that writes nothing
  // fails the test instead of hanging it).
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (framesIn(dir.path()).empty() && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const bool started = !framesIn(dir.path()).empty();
  ::kill(pid, started ? SIGINT : SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(started) << vlam::test::readFile(errFile);

  ASSERT_TRUE(WIFEXITED(status)) << "the tool ends by itself, not by the signal";
  EXPECT_EQ(WEXITSTATUS(status), 130);
  // A line per written frame (stderr is not a terminal), then the cancel.
  const auto frames = framesIn(dir.path());
  std::string expected;
  for (std::size_t i = 0; i < frames.size(); ++i)
    expected += "wrote " + (dir / frames[i]).string() + " (" + std::to_string(i + 1) + " of 5000)\n";
  EXPECT_EQ(vlam::test::readFile(errFile), expected + "vlam: rendering cancelled; the unfinished frame was not written\n");
  EXPECT_LT(frames.size(), 5000u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    char expected[32];
    std::snprintf(expected, sizeof expected, "f_%04zu.png", i);
    EXPECT_EQ(frames[i], expected) << "frames in order, nothing half-named";
    EXPECT_NO_THROW(vlam::host::readPng(dir / frames[i], vlam::host::PixelDepth::Bits8)) << "a whole picture";
  }
}

} // namespace
