#include "host/io/FrameWriter.h"

#include <utility>

namespace vlam::host {

FrameWriter::FrameWriter(FileCompression compression, Written written, std::size_t waiting)
    : compression_(compression), written_(std::move(written)), waiting_(std::max<std::size_t>(waiting, 1)),
      thread_([this] { run(); }) {}

FrameWriter::~FrameWriter() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void FrameWriter::throwIfFailed() {
  if (failure_) std::rethrow_exception(failure_);
}

void FrameWriter::add(std::filesystem::path file, Image image) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return failure_ || queue_.size() < waiting_; });
  throwIfFailed();
  queue_.push_back({std::move(file), std::move(image)});
  lock.unlock();
  changed_.notify_all();
}

void FrameWriter::finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return failure_ || (queue_.empty() && !busy_); });
  throwIfFailed();
}

void FrameWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return closing_ || !queue_.empty(); });
    if (queue_.empty()) return; // closing with nothing left
    Frame frame = std::move(queue_.front());
    queue_.pop_front();
    busy_ = true;
    lock.unlock();
    changed_.notify_all(); // room in the queue
    std::exception_ptr failure;
    try {
      writeImageFile(frame.file, frame.image, compression_);
      frame.image = Image(); // the memory goes back before the next frame is taken
      if (written_) written_(frame.file);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    busy_ = false;
    if (failure) {
      // Later frames are dropped: writing them would leave a gap.
      failure_ = failure;
      queue_.clear();
    }
    changed_.notify_all();
    if (failure_) return;
  }
}

} // namespace vlam::host
