#include "host/image/WorldTable.h"

#include <cstring>
#include <new>

namespace vlam::host {

void describeWorld(Image &image, PF_EffectWorld &world, PF_RationalScale pixelAspect, bool writeable) {
  std::memset(&world, 0, sizeof world);
  world.world_flags = (image.depth() == PixelDepth::Bits16 ? A_long{PF_WorldFlag_DEEP} : A_long{0}) |
                      (writeable ? A_long{PF_WorldFlag_WRITEABLE} : A_long{0});
  world.data = reinterpret_cast<PF_PixelPtr>(image.data());
  world.rowbytes = static_cast<A_long>(image.rowBytes());
  world.width = image.width();
  world.height = image.height();
  world.extent_hint = {0, 0, image.width(), image.height()};
  world.pix_aspect_ratio = pixelAspect;
}

std::shared_ptr<Image> WorldTable::create(int width, int height, PixelDepth depth, PF_EffectWorld &world,
                                          PF_RationalScale pixelAspect) {
  std::memset(&world, 0, sizeof world);
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return nullptr;
  std::shared_ptr<Image> image;
  try {
    image = std::make_shared<Image>(width, height, depth);
  } catch (const std::exception &) {
    return nullptr;
  }
  describe(image, world, pixelAspect, true);
  return image;
}

void WorldTable::describe(const std::shared_ptr<Image> &image, PF_EffectWorld &world, PF_RationalScale pixelAspect,
                          bool writeable) {
  describeWorld(*image, world, pixelAspect, writeable);
  std::lock_guard lock(mutex_);
  Entry &entry = images_[image->data()];
  entry.image = image;
  ++entry.descriptions;
}

const std::shared_ptr<Image> *WorldTable::containing(const void *data) const {
  if (!data || images_.empty()) return nullptr;
  auto p = static_cast<const std::byte *>(data);
  auto it = images_.upper_bound(p);
  if (it == images_.begin()) return nullptr;
  --it;
  const Image &image = *it->second.image;
  const std::size_t size = image.rowBytes() * static_cast<std::size_t>(image.height());
  if (p >= it->first + size) return nullptr;
  return &it->second.image;
}

std::optional<WorldView> WorldTable::view(const PF_EffectWorld *world) const {
  if (!world) return std::nullopt;
  std::lock_guard lock(mutex_);
  const std::shared_ptr<Image> *found = containing(world->data);
  if (!found) return std::nullopt;
  const Image &image = **found;
  WorldView v{reinterpret_cast<std::byte *>(world->data), world->width, world->height, world->rowbytes,
              image.depth()};
  if (v.width < 0 || v.height < 0) return std::nullopt;
  if (v.width == 0 || v.height == 0) return v;
  const std::byte *begin = image.data();
  const std::byte *end = begin + image.rowBytes() * static_cast<std::size_t>(image.height());
  const std::ptrdiff_t rowSpan = static_cast<std::ptrdiff_t>(v.width) * static_cast<std::ptrdiff_t>(bytesPerPixel(v.depth));
  if (v.rowBytes < rowSpan && v.height > 1) return std::nullopt;
  const std::byte *first = v.data;
  const std::byte *lastRowEnd = v.data + v.rowBytes * static_cast<std::ptrdiff_t>(v.height - 1) + rowSpan;
  if (first < begin || lastRowEnd > end || lastRowEnd < first) return std::nullopt;
  return v;
}

bool WorldTable::dispose(PF_EffectWorld &world) {
  std::shared_ptr<Image> image; // released outside the lock
  {
    std::lock_guard lock(mutex_);
    auto it = images_.find(reinterpret_cast<const std::byte *>(world.data));
    if (!world.data || it == images_.end()) return false;
    if (--it->second.descriptions <= 0) {
      image = std::move(it->second.image);
      images_.erase(it);
    }
  }
  std::memset(&world, 0, sizeof world);
  return true;
}

std::optional<PixelDepth> WorldTable::depthOf(const PF_EffectWorld *world) const {
  if (!world) return std::nullopt;
  std::lock_guard lock(mutex_);
  const std::shared_ptr<Image> *found = containing(world->data);
  if (!found) return std::nullopt;
  return (*found)->depth();
}

std::shared_ptr<Image> WorldTable::imageOf(const PF_EffectWorld *world) const {
  if (!world) return nullptr;
  std::lock_guard lock(mutex_);
  const std::shared_ptr<Image> *found = containing(world->data);
  return found ? *found : nullptr;
}

std::size_t WorldTable::liveCount() const {
  std::lock_guard lock(mutex_);
  return images_.size();
}

} // namespace vlam::host
