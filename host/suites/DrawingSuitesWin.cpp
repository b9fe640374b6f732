// The Windows build has no drawing library (cairo): the drawing suites and
// the application suites that serve custom controls (colours, mouse,
// invalidation, drawing references) are not offered there. The module asks
// for them only while drawing or handling events on its controls and
// overlays, which the Windows tool never sends.
#include "host/suites/HostSuites.h"

namespace vlam::host {

void publishDrawbotSuites(SuiteRegistry &) {}
void publishAppSuites(SuiteRegistry &) {}

} // namespace vlam::host
