#pragma once
#include "host/image/Image.h"
#include "host/project/LayerMask.h"
#include "host/project/CameraLayer.h"
#include "host/project/ParamDefinition.h"
#include "host/project/ParamStream.h"

#include <AE_Effect.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vlam::host {

struct InstalledEffect;
class Layer;
class Composition;

// Frames per second as a ratio; the host's time base for a composition is
// `perSecond` ticks per second and one frame lasts `perFrame` ticks
// (24 fps = 24/1, 29.97 fps = 30000/1001).
struct FrameRate {
  std::int32_t perSecond = 24;
  std::int32_t perFrame = 1;
  double fps() const { return static_cast<double>(perSecond) / perFrame; }
  bool operator==(const FrameRate &) const = default;
};

// A parameter's user-interface state on one effect instance: what
// PF_UpdateParamUI and the dynamic stream flags changed.
struct ParamUiState {
  PF_ParamUIFlags uiFlags = 0;
  A_u_long streamFlags = 0; // AEGP_DynStreamFlags
};

// One effect applied to a layer.
class EffectInstance {
public:
  EffectInstance(InstalledEffect &installed, Layer &layer, std::uint32_t id);
  ~EffectInstance();

  std::uint32_t id() const { return id_; }
  InstalledEffect &installed() const { return *installed_; }
  Layer &layer() const { return *layer_; }
  void moveToLayer(Layer &layer) { layer_ = &layer; }
  const std::string &matchName() const;

  bool active = true;
  PF_Handle sequenceData = nullptr;
  // Sequence data bytes read from a project file, handed to
  // PF_Cmd_SEQUENCE_RESETUP as the host does with unflattened data.
  std::optional<std::vector<std::uint8_t>> loadedSequenceBytes;

  // One stream and one UI state per parameter index (index 0, the input,
  // carries nothing).
  std::vector<ParamStream> streams;
  std::vector<ParamUiState> ui;
  std::size_t paramCount() const { return streams.size(); }
  const ParamDefinition &param(std::size_t index) const;

private:
  InstalledEffect *installed_;
  Layer *layer_;
  std::uint32_t id_;
};

// What a layer shows before its effects: a solid colour or an image file.
struct LayerSource {
  enum class Kind { Solid, Image } kind = Kind::Solid;
  std::array<double, 4> color{0, 0, 0, 1}; // solid: straight red, green, blue, alpha
  std::filesystem::path file; // image: as written in the project (relative to it)
  std::filesystem::path resolvedFile;
  // image: a picture made by the host itself (the built-in scene's plate);
  // when set it is used instead of the file.
  std::shared_ptr<const Image> pixels;
};

class Layer {
public:
  Layer(Composition &comp, std::uint32_t id, std::string name);
  ~Layer();

  std::uint32_t id() const { return id_; }
  Composition &comp() const { return *comp_; }
  std::string name;
  int width = 0;
  int height = 0;
  A_Ratio pixelAspect{1, 1};
  LayerSource source;
  bool enabled = true;
  std::vector<LayerMask> masks; // in the layer's order, first mask first
  LayerMask *findMask(std::uint32_t maskId) {
    for (LayerMask &mask : masks)
      if (mask.id == maskId) return &mask;
    return nullptr;
  }
  // Set for a camera layer: no pixels, no effects; the composition is seen
  // through the topmost enabled one.
  std::optional<CameraSettings> camera;

  std::vector<std::unique_ptr<EffectInstance>> effects; // top of the stack first
  int indexOf(const EffectInstance &effect) const;      // -1 when not here

private:
  Composition *comp_;
  std::uint32_t id_;
};

class Composition {
public:
  explicit Composition(std::uint32_t id) : id_(id) {}
  std::uint32_t id() const { return id_; }
  std::string name = "Comp 1";
  int width = 1920;
  int height = 1080;
  A_Ratio pixelAspect{1, 1};
  FrameRate frameRate;
  std::int64_t durationFrames = 48;
  bool motionBlur = false;
  double shutterAngle = 180.0; // degrees
  double shutterPhase = -90.0; // degrees

  std::vector<std::unique_ptr<Layer>> layers; // top first, as the host lists them
  Layer *findLayer(const std::string &name) const;
  Layer *findLayer(std::uint32_t id) const;
  int indexOf(const Layer &layer) const; // -1 when not here
  Layer *activeCamera() const;           // the topmost enabled camera layer, if any

  std::int64_t ticksOfFrame(double frame) const;
  double frameOfTicks(std::int64_t ticks) const;

private:
  std::uint32_t id_;
};

// Everything a scene file holds.
class Project {
public:
  std::vector<std::unique_ptr<Composition>> comps;
  std::filesystem::path file; // where it was loaded from, if anywhere

  Composition &addComp();
  Layer &addLayer(Composition &comp, const std::string &name); // at the bottom
  // Ids of layers, compositions and effects; unique in the whole process, so
  // objects of a project being loaded never meet ids of the open one.
  static std::uint32_t nextId();
  std::uint32_t nextEffectId() { return nextId(); }

  // Lookups that validate handles coming from plug-ins.
  Layer *findLayer(const void *layer) const;
  EffectInstance *findEffect(std::uint32_t id) const;
  std::vector<EffectInstance *> allEffects() const;
};

} // namespace vlam::host
