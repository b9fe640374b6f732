// The effect-controls panel from the command line:
//   vlam panel SCENE --layer L --effect N [--frame F] [--open] -o panel.png
//   vlam click SCENE --layer L --effect N --param P --at X,Y [--alt] [--shift] [--ctrl] [-o OUT]
//   vlam drag  SCENE ... --from X,Y --to X,Y [...]
//   vlam hover SCENE ... --at X,Y [...]
// Points are panel coordinates, as in the picture `vlam panel` draws; they
// must lie on the parameter's control. click, drag and hover save the scene
// atomically and print what changed.
#include "cli/CliContext.h"
#include "cli/UserEditReport.h"
#include "host/HostError.h"
#include "host/io/ImageFiles.h"
#include "host/scene/SceneFile.h"
#include "host/ui/EffectPanel.h"
#include "host/ui/LayerChanges.h"
#include "host/ui/PanelGesture.h"

#include <iostream>
#include <sstream>

namespace vlam::cli {
namespace {

struct UiArgs {
  std::string scene;
  std::string layer;
  std::string effect;
  double frame = 0;
  bool open = false;
  std::string output;
  std::string param;
  std::string at, from, to;
  bool alt = false, shift = false, ctrl = false;
};

PF_Point parsePoint(const std::string &text, const std::string &option) {
  std::istringstream in(text);
  long x = 0, y = 0;
  char comma = 0;
  if (!(in >> x >> comma >> y) || comma != ',' || !in.eof() || x < -1000000 || x > 1000000 || y < -1000000 ||
      y > 1000000)
    throw host::HostError(option + " " + text + ": expected X,Y in whole panel pixels");
  return PF_Point{static_cast<A_long>(x), static_cast<A_long>(y)};
}

// A parameter by index or by name (the first of that name).
std::size_t findParam(const host::EffectInstance &effect, const std::string &param) {
  if (!param.empty() && param.find_first_not_of("0123456789") == std::string::npos) {
    const unsigned long index = param.size() < 6 ? std::stoul(param) : 0;
    if (index >= 1 && index < effect.paramCount()) return index;
    throw host::HostError("--param " + param + ": the effect's parameters are 1 to " +
                          std::to_string(effect.paramCount() - 1));
  }
  for (std::size_t i = 1; i < effect.paramCount(); ++i)
    if (effect.param(i).name() == param) return i;
  throw host::HostError("--param '" + param + "': the effect has no parameter of that name");
}

const char *cursorName(PF_CursorType cursor) {
  struct Named {
    PF_CursorType cursor;
    const char *name;
  };
  static const Named names[] = {
      {PF_Cursor_NONE, "NONE"},
      {PF_Cursor_CUSTOM, "CUSTOM"},
      {PF_Cursor_ARROW, "ARROW"},
      {PF_Cursor_HOLLOW_ARROW, "HOLLOW_ARROW"},
      {PF_Cursor_WATCH_N_WAIT, "WATCH_N_WAIT"},
      {PF_Cursor_MAGNIFY, "MAGNIFY"},
      {PF_Cursor_MAGNIFY_PLUS, "MAGNIFY_PLUS"},
      {PF_Cursor_MAGNIFY_MINUS, "MAGNIFY_MINUS"},
      {PF_Cursor_CROSSHAIRS, "CROSSHAIRS"},
      {PF_Cursor_CROSS_RECT, "CROSS_RECT"},
      {PF_Cursor_CROSS_OVAL, "CROSS_OVAL"},
      {PF_Cursor_CROSS_ROTATE, "CROSS_ROTATE"},
      {PF_Cursor_PAN, "PAN"},
      {PF_Cursor_EYEDROPPER, "EYEDROPPER"},
      {PF_Cursor_HAND, "HAND"},
      {PF_Cursor_PEN, "PEN"},
      {PF_Cursor_PEN_ADD, "PEN_ADD"},
      {PF_Cursor_PEN_DELETE, "PEN_DELETE"},
      {PF_Cursor_PEN_CLOSE, "PEN_CLOSE"},
      {PF_Cursor_PEN_DRAG, "PEN_DRAG"},
      {PF_Cursor_PEN_CORNER, "PEN_CORNER"},
      {PF_Cursor_RESIZE_VERTICAL, "RESIZE_VERTICAL"},
      {PF_Cursor_RESIZE_HORIZONTAL, "RESIZE_HORIZONTAL"},
      {PF_Cursor_FINGER_POINTER, "FINGER_POINTER"}};
  for (const Named &n : names)
    if (n.cursor == cursor) return n.name;
  return nullptr;
}

std::string modifierText(PF_Modifiers m) {
  std::string s;
  if (m & PF_Mod_CMD_CTRL_KEY) s += "+Ctrl";
  if (m & PF_Mod_OPT_ALT_KEY) s += "+Alt";
  if (m & PF_Mod_SHIFT_KEY) s += "+Shift";
  return s.empty() ? "" : " with " + s.substr(1);
}

// The host with the scene open, the layer and effect named, and the time.
struct OpenEffect {
  std::unique_ptr<host::Host> host;
  host::Layer *layer = nullptr;
  host::EffectInstance *effect = nullptr;
  std::int64_t ticks = 0;
};

OpenEffect openEffect(const GlobalOptions &options, const UiArgs &args) {
  OpenEffect o;
  o.host = startHost(options);
  openScene(*o.host, args.scene);
  o.layer = &findLayer(o.host->project(), args.layer, args.scene);
  o.effect = &findEffectOnLayer(*o.layer, args.effect, args.scene);
  o.ticks = o.layer->comp().ticksOfFrame(args.frame);
  o.host->currentTicks = o.ticks;
  return o;
}

void runPanel(const GlobalOptions &options, const UiArgs &args) {
  OpenEffect o = openEffect(options, args);
  auto &host = o.host;
  host::EffectInstance &effect = *o.effect;
  const std::int64_t ticks = o.ticks;
  const std::size_t before = host->messages.size();
  host::EffectPanel panel(*host, effect, ticks, args.open);
  std::vector<std::string> problems;
  const host::Image image = panel.draw(problems);
  printHostMessages(*host, before);
  for (const auto &p : problems) std::cerr << "vlam: " << p << '\n';
  host::writePng(args.output, image, 8);
  std::cout << "wrote " << args.output << " (" << image.width() << " x " << image.height() << ")\n";
  for (const host::PanelRow &row : panel.rows()) {
    if (!row.custom || row.control.bottom <= row.control.top) continue;
    std::cout << "  parameter " << row.index << " '" << effect.param(row.index).name() << "' control at "
              << row.control.left << "," << row.control.top << " to " << row.control.right << ","
              << row.control.bottom << '\n';
  }
  if (!problems.empty()) exitCode() = kExitError;
}

void runGesture(const GlobalOptions &options, const UiArgs &args, host::PanelGesture::Kind kind) {
  OpenEffect o = openEffect(options, args);
  auto &host = o.host;
  host::Layer &layer = *o.layer;
  host::EffectInstance &effect = *o.effect;
  const std::int64_t ticks = o.ticks;

  host::PanelGesture gesture;
  gesture.kind = kind;
  gesture.param = findParam(effect, args.param);
  if (kind == host::PanelGesture::Kind::Drag) {
    gesture.at = parsePoint(args.from, "--from");
    gesture.to = parsePoint(args.to, "--to");
  } else {
    gesture.at = parsePoint(args.at, "--at");
  }
  gesture.modifiers = (args.alt ? PF_Mod_OPT_ALT_KEY : 0) | (args.shift ? PF_Mod_SHIFT_KEY : 0) |
                      (args.ctrl ? PF_Mod_CMD_CTRL_KEY : 0);

  const std::size_t firstMessage = host->messages.size();
  const std::size_t firstScript = host->scripts.size();
  const host::LayerSnapshot before = host::LayerSnapshot::take(layer, ticks);
  const host::EffectPanel panel(*host, effect, ticks, args.open);
  const std::string effectName = effect.installed().name();
  const std::string paramName = effect.param(gesture.param).name();
  const host::GestureOutcome outcome = host::performGesture(*host, effect, ticks, panel, gesture);
  // What effects asked the host to do later happens at its next idle time.
  host->runIdle();
  printHostMessages(*host, firstMessage);

  const char *verb = kind == host::PanelGesture::Kind::Click ? "click" : kind == host::PanelGesture::Kind::Drag ? "drag" : "hover";
  std::cout << verb << " on effect " << args.effect << " " << effectName << ", parameter " << gesture.param << " '"
            << paramName << "'" << modifierText(gesture.modifiers) << ": " << outcome.events << " event(s)";
  if (outcome.dragEvents) std::cout << ", " << outcome.dragEvents << " drag";
  std::cout << (outcome.handled ? ", handled" : ", not handled") << '\n';
  if (kind == host::PanelGesture::Kind::Hover) {
    const char *name = cursorName(outcome.cursor);
    std::cout << "cursor: " << (name ? std::string("PF_Cursor_") + name : "host cursor type") << " ("
              << outcome.cursor << ")\n";
  }
  if (outcome.err) {
    std::cerr << "vlam: the effect returned error " << outcome.err
              << (outcome.message.empty() ? "" : ": " + outcome.message) << '\n';
    exitCode() = kExitError;
  }
  if (outcome.uiErr)
    std::cerr << "vlam: " << effectName << " failed to update its controls (error " << outcome.uiErr << ")\n";
  for (std::size_t i = firstScript; i < host->scripts.size(); ++i) std::cout << "host script run\n";
  const auto changes = host::describeChanges(before, host::LayerSnapshot::take(layer, ticks), layer);
  if (changes.empty()) std::cout << "nothing changed\n";
  for (const auto &line : changes) std::cout << line << '\n';
  const std::string out = args.output.empty() ? args.scene : args.output;
  host::saveScene(host->project(), out);
  std::cout << "saved " << out << '\n';
}

UiArgs &commonOptions(CLI::App *cmd, std::shared_ptr<UiArgs> args) {
  cmd->add_option("SCENE", args->scene, "Scene file")->required();
  cmd->add_option("--layer", args->layer, "Layer name")->required();
  cmd->add_option("--effect", args->effect, "The effect: its position in the layer's stack (0 at the top) or its match name")->required();
  cmd->add_option("--frame", args->frame, "Composition frame (default 0)");
  cmd->add_flag("--open", args->open, "Open every twirl of the panel");
  return *args;
}

void addGesture(CLI::App &app, GlobalOptions &options, const char *name, const char *help,
                host::PanelGesture::Kind kind) {
  auto *cmd = app.add_subcommand(name, help);
  auto args = std::make_shared<UiArgs>();
  commonOptions(cmd, args);
  cmd->add_option("--param", args->param, "The parameter: its index or its name")->required();
  if (kind == host::PanelGesture::Kind::Drag) {
    cmd->add_option("--from", args->from, "Where the mouse goes down, X,Y in panel pixels")->required();
    cmd->add_option("--to", args->to, "Where it is released, X,Y in panel pixels")->required();
  } else {
    cmd->add_option("--at", args->at, "X,Y in panel pixels")->required();
  }
  cmd->add_flag("--alt", args->alt, "Hold Alt");
  cmd->add_flag("--shift", args->shift, "Hold Shift");
  cmd->add_flag("--ctrl", args->ctrl, "Hold Ctrl");
  cmd->add_option("-o,--output", args->output, "Where to save (default: overwrite SCENE)");
  cmd->callback([&options, args, kind] { runGesture(options, *args, kind); });
}

} // namespace

void addPanelCommands(CLI::App &app, GlobalOptions &options) {
  auto *panel = app.add_subcommand("panel", "Draw an effect's controls as the effect-controls panel shows them");
  auto args = std::make_shared<UiArgs>();
  commonOptions(panel, args);
  panel->add_option("-o,--output", args->output, "PNG file to write")->required();
  panel->callback([&options, args] { runPanel(options, *args); });
  addGesture(app, options, "click", "Click on a parameter's control in the effect-controls panel",
             host::PanelGesture::Kind::Click);
  addGesture(app, options, "drag", "Drag on a parameter's control in the effect-controls panel",
             host::PanelGesture::Kind::Drag);
  addGesture(app, options, "hover", "Move the mouse over a parameter's control and report the cursor",
             host::PanelGesture::Kind::Hover);
}

} // namespace vlam::cli
