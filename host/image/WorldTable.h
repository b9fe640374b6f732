#pragma once
#include "host/image/Image.h"

#include <AE_Effect.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace vlam::host {

// The pixels a PF_EffectWorld record describes, checked against the buffer
// they live in: every row of `width` pixels lies inside that buffer.
struct WorldView {
  std::byte *data = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t rowBytes = 0;
  PixelDepth depth = PixelDepth::Bits8;

  std::byte *row(int y) const { return data + rowBytes * y; }
};

// Every image buffer the host has described to a plug-in, found by its pixel
// pointer (plug-ins copy PF_EffectWorld records freely, the pixels stay put).
// Gives a buffer's depth to PF_GetPixelFormat and to the copy and fill
// callbacks, and refuses buffers the host never made.
class WorldTable {
public:
  // A new zeroed buffer owned by the table, described in `world`.
  // nullptr (world zeroed) when the size is refused or memory runs out.
  std::shared_ptr<Image> create(int width, int height, PixelDepth depth, PF_EffectWorld &world,
                                PF_RationalScale pixelAspect = {1, 1});
  // Describes an image the caller keeps alive (the table shares ownership
  // until it is forgotten). The same image may be described more than once
  // (a layer checked out twice): it stays known until every description has
  // been disposed.
  void describe(const std::shared_ptr<Image> &image, PF_EffectWorld &world, PF_RationalScale pixelAspect = {1, 1},
                bool writeable = true);
  // Forgets one description of the buffer behind `world` (created or
  // described). False when unknown.
  bool dispose(PF_EffectWorld &world);

  std::optional<PixelDepth> depthOf(const PF_EffectWorld *world) const;
  std::shared_ptr<Image> imageOf(const PF_EffectWorld *world) const;
  // The record's pixels when they lie inside a buffer the table knows (a
  // record may describe part of a buffer); nullopt otherwise.
  std::optional<WorldView> view(const PF_EffectWorld *world) const;
  std::size_t liveCount() const;

private:
  mutable std::mutex mutex_;
  // Keyed by the first pixel byte; a record's data pointer may point anywhere
  // inside a buffer.
  struct Entry {
    std::shared_ptr<Image> image;
    int descriptions = 0;
  };
  std::map<const std::byte *, Entry> images_;
  const std::shared_ptr<Image> *containing(const void *data) const;
};

// Fills a PF_EffectWorld record for an image.
void describeWorld(Image &image, PF_EffectWorld &world, PF_RationalScale pixelAspect, bool writeable);

} // namespace vlam::host
