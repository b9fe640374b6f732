#include "flash/shape_arb_handlers.h"

#include <gtest/gtest.h>

#include "frame/fake_handle_host_support.h"

namespace vlam {
namespace {

// Reading curves back (sound ones byte for byte, even past their count;
// damaged ones mended) is checked through the host: BuilderCurves in the host
// tests. A host that cannot allocate gets no value and no error.
TEST(ShapeArbHandlers, NoValueAndNoErrorWhenTheHostCannotAllocate) {
  FakeHandleHost host;
  MainShapeArbHandler main(host.InData());
  host.failNewHandle = true;
  PF_ArbitraryH none = nullptr;
  EXPECT_EQ(main.NewValue(&none), PF_Err_NONE);
  EXPECT_EQ(none, nullptr);
}

}  // namespace
}  // namespace vlam
