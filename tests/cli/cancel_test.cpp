// Ctrl-C during `vlam render`: the tool stops, says so in one line, exits
// with the cancel code and leaves only complete frames behind.
#include "cli_support.h"
#include "host/io/ImageFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

using vlam::test::CliDir;

namespace {

std::vector<std::string> framesIn(const std::filesystem::path &dir) {
  std::vector<std::string> names = vlam::test::listDir(dir);
  std::erase_if(names, [](const std::string &name) { return name.rfind("f_", 0) != 0; });
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

  // The shell notes its process number and becomes the tool.
  vlam::test::CliResult r;
  std::thread tool([&] {
    r = dir.run({"render", "scene.json", "--frames", "0-4999", "-o", "f_####.png", "--threads", "2"},
                "echo $$ > tool.pid && exec ");
  });
  // Wait for the first frame on disk (bounded: a tool that writes nothing
  // fails the test instead of hanging it).
  const auto pidFile = dir / "tool.pid";
  const auto busy = [&] {
    return !framesIn(dir.path()).empty() && std::filesystem::exists(pidFile) && std::filesystem::file_size(pidFile) > 0;
  };
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (!busy() && std::chrono::steady_clock::now() < giveUp) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const bool started = busy();
  const int pid = std::filesystem::exists(pidFile) ? std::atoi(vlam::test::readFile(pidFile).c_str()) : 0;
  if (pid > 0) ::kill(pid, started ? SIGINT : SIGKILL);
  tool.join();
  ASSERT_TRUE(started) << r.err;

  EXPECT_EQ(r.exitCode, 130) << "the tool ends by itself, not by the signal";
  // A line per written frame (stderr is not a terminal), then the cancel.
  const auto frames = framesIn(dir.path());
  std::string expected;
  for (std::size_t i = 0; i < frames.size(); ++i)
    expected += "wrote " + frames[i] + " (" + std::to_string(i + 1) + " of 5000)\n";
  EXPECT_EQ(r.err, expected + "vlam: rendering cancelled; the unfinished frame was not written\n");
  EXPECT_LT(frames.size(), 5000u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    char expected[32];
    std::snprintf(expected, sizeof expected, "f_%04zu.png", i);
    EXPECT_EQ(frames[i], expected) << "frames in order, nothing half-named";
    EXPECT_NO_THROW(vlam::host::readPng(dir / frames[i], vlam::host::PixelDepth::Bits8)) << "a whole picture";
  }
}

} // namespace
