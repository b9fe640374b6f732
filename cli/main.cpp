// vlam: the command-line face of the headless host.
#include "cli/CliContext.h"
#include "cli/Console.h"
#include "host/HostError.h"

#include <iostream>

int main(int argc, char **argv) {
  using namespace vlam::cli;
  reportFileSizeLimitAsWriteError();
  CLI::App app{"vlam - renders and inspects Vlam muzzle-flash scenes through a headless host", "vlam"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Help for every command");
  GlobalOptions options;
  app.add_option("--settings", options.settingsPath, "The host's settings file (default: ~/.config/vlam/settings.json)");
  app.add_option("--module", options.modulePath, "The plug-in module to load (default: the build's Vlam.aex)");
  app.add_flag("--trace", options.trace, "Write every host call of the command to stderr");
  app.add_option("--refuse-suite", options.refusedSuites, "Make a suite unavailable to the plug-ins (repeatable)")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--fail-call", options.failedCalls,
                 "FUNCTION[:N[:ERROR]]: the N-th call (default 1) of a host function answers ERROR, a number or "
                 "memory (the default), generic, struct, parameter, wrong-thread, missing-suite, cancel, "
                 "bad-callback (repeatable)")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.fallthrough();
#if defined(_WIN32)
  app.footer("This Windows build leaves out what needs libraries it lacks: the drawing commands (panel, click, drag, "
             "hover, view), compressed OpenEXR output and reading OpenEXR footage.");
#endif

  addEffectsCommand(app, options);
  addAboutCommand(app, options);
  addApplyCommand(app, options);
  addInspectCommand(app, options);
  addRenderCommand(app, options);
  addSetCommand(app, options);
  addPressCommand(app, options);
  addPresetsCommand(app, options);
  addPanelCommands(app, options);
  addViewCommand(app, options);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    return app.exit(e);
  } catch (const vlam::host::HostError &e) {
    std::cerr << "vlam: " << e.what() << '\n';
    return kExitError;
  } catch (const std::bad_alloc &) {
    std::cerr << "vlam: out of memory\n";
    return kExitError;
  } catch (const std::exception &e) {
    std::cerr << "vlam: " << e.what() << '\n';
    return kExitError;
  }
  return exitCode();
}
