#pragma once
#include "host/image/Image.h"

#include <AE_EffectUI.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vlam::host {

class Host;
class EffectInstance;

// One row of the effect-controls panel.
struct PanelRow {
  std::size_t index = 0; // the parameter; 0 for the effect's own header
  int depth = 0;         // groups around it
  PF_Rect title{};       // the row with the name (and value)
  PF_Rect control{};     // the effect's own control area; empty when none is shown
  bool twirl = false;    // has a twirl (groups, custom controls)
  bool open = false;     // its twirl is open
  bool custom = false;   // the effect draws and handles this control
  bool topic = false;    // the effect's control is in the title row itself
};

// The effect-controls panel of one effect as the host lays it out: the
// effect's header, then every visible parameter in order, groups with twirls
// (closed ones hide what they hold), custom controls at their declared
// heights under their title row. Showing the panel first brings the
// effect's controls up to date (Host::updateParamsUi at `ticks`).
class EffectPanel {
public:
  // `openAll`: every twirl open, as if the user had opened them.
  EffectPanel(Host &host, EffectInstance &effect, std::int64_t ticks, bool openAll = false);

  static constexpr int kWidth = 400;
  static constexpr int kRowHeight = 22;
  static constexpr int kControlLeft = 8;

  int width() const { return kWidth; }
  int height() const { return height_; }
  const std::vector<PanelRow> &rows() const { return rows_; }
  // The row of a parameter; nullptr when it is not shown.
  const PanelRow *rowOf(std::size_t index) const;

  // The panel as a picture; the effect draws its own controls through draw
  // events. Effect errors (the update's among them) are added to `problems`.
  Image draw(std::vector<std::string> &problems);

  // The effect-window record of a parameter's event.
  PF_EffectWindowInfo windowInfo(const PanelRow &row) const;

private:
  Host &host_;
  EffectInstance &effect_;
  std::int64_t ticks_;
  std::vector<PanelRow> rows_;
  int height_ = 0;
  PF_Err updateError_ = PF_Err_NONE;
};

} // namespace vlam::host
