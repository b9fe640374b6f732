#pragma once
#include "host/image/Image.h"
#include "host/io/ImageFiles.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

namespace vlam::host {

// Writes rendered frames to image files on a thread of its own while the
// caller renders the next ones. Frames are written one at a time in the
// order they were handed over; at most `waiting` of them wait for the
// writer (add blocks beyond that, which bounds the memory held). The first
// failed write stops the writer: no later frame is written, and the failure
// is thrown to the caller by the next add or by finish. Files are written
// atomically, so no partial file is ever left.
class FrameWriter {
public:
  // Called on the writer's thread after each file is complete.
  using Written = std::function<void(const std::filesystem::path &file)>;

  explicit FrameWriter(FileCompression compression = {}, Written written = {}, std::size_t waiting = 1);
  // Writes the frames still waiting (they are complete) unless a write
  // failed, then stops the thread. Errors at this point are not reported:
  // a caller that is not unwinding from an error of its own calls finish.
  ~FrameWriter();
  FrameWriter(const FrameWriter &) = delete;
  FrameWriter &operator=(const FrameWriter &) = delete;

  // Hands a frame over; throws the writer's failure instead when a write
  // has failed.
  void add(std::filesystem::path file, Image image);
  // Returns when every frame handed over is written; throws the first
  // failure.
  void finish();

private:
  struct Frame {
    std::filesystem::path file;
    Image image;
  };
  void run();
  void throwIfFailed(); // with the lock held

  FileCompression compression_;
  Written written_;
  std::size_t waiting_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Frame> queue_;
  bool busy_ = false;    // a frame is being written
  bool closing_ = false; // no more frames will come
  std::exception_ptr failure_;
  std::thread thread_;
};

} // namespace vlam::host
