#pragma once
#include <AE_Effect.h>

#include <cstring>

#include <memory>
#include <string>
#include <vector>

namespace vlam::host {

// One parameter as an effect defined it at PF_Cmd_PARAMS_SETUP: the
// definition record itself (copied, so the effect may reuse its own) and the
// texts its string pointers referred to, owned here so the pointers stay valid.
class ParamDefinition {
public:
  ParamDefinition() { std::memset(&def_, 0, sizeof def_); }
  // Copies `def` and the strings it points to.
  explicit ParamDefinition(const PF_ParamDef &def);
  ParamDefinition(const ParamDefinition &other);
  ParamDefinition &operator=(const ParamDefinition &other);

  const PF_ParamDef &def() const { return def_; }
  PF_ParamDef &def() { return def_; }
  PF_ParamType type() const { return def_.param_type; }
  std::string name() const;
  // The group names enclosing this parameter, outermost first.
  const std::vector<std::string> &groups() const { return groups_; }
  void setGroups(std::vector<std::string> groups) { groups_ = std::move(groups); }

  // Popup items (from the "|"-separated names); empty for other types.
  std::vector<std::string> popupItems() const;

  // True for types that carry a value in a project (not groups, buttons,
  // custom controls without data).
  bool hasValue() const;
  // True for types whose keyframes can blend between values.
  bool blendable() const;
  // True when the parameter may hold keyframes: it has a value, may vary
  // over time, and has a stream (PF_PUI_STD_CONTROL_ONLY gives it none).
  bool animatable() const;

private:
  void repoint();
  PF_ParamDef def_;
  std::shared_ptr<const std::string> text_; // popup names, checkbox or button label
  std::vector<std::string> groups_;
};

// Short display name of a parameter type ("slider", "popup", ...).
const char *paramTypeName(PF_ParamType type);

} // namespace vlam::host
