#include "frame/arbitrary_handler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "frame/fake_handle_host_support.h"

namespace vlam {
namespace {

// A 12-byte value whose default is "default-val" with its zero.
class TextHandler : public ArbitraryHandler {
 public:
  explicit TextHandler(PF_InData* in_data) : ArbitraryHandler(in_data) { SetValueSize(12); }
  PF_Err NewValue(PF_ArbitraryH* valuePH) override {
    if (PF_ArbitraryH h = NewBlock()) {
      std::memcpy(*h, "default-val", 12);  // the fake host's handles point at their bytes
      *valuePH = h;
    }
    return PF_Err_NONE;
  }
  int mended = 0;

 protected:
  void MendValue(void* block) override {
    ++mended;
    static_cast<char*>(block)[11] = '\0';
  }
};

std::string Text(PF_ArbitraryH h) { return std::string(static_cast<const char*>(*h)); }

// A host-owned 12-byte value holding the text, zero padded.
PF_ArbitraryH Value(FakeHandleHost& host, const std::string& text) {
  char bytes[12] = {};
  std::memcpy(bytes, text.data(), std::min<std::size_t>(text.size(), 11));
  return host.MakeHandle(bytes, sizeof bytes);
}

class ArbitraryHandlerTest : public ::testing::Test {
 protected:
  FakeHandleHost host;
  TextHandler handler{host.InData()};

  PF_ArbParamsExtra Extra(PF_FunctionSelector which) {
    PF_ArbParamsExtra e;
    std::memset(&e, 0, sizeof e);
    e.which_function = which;
    e.u.new_func_params.refconPV = &handler;
    return e;
  }
};

// Flattening into a buffer of another size leaves it untouched; flat bytes of
// another size give the default value, unmended. (Sound round trips and
// mending are checked with the builder's curves, in its tests and the host's.)
TEST_F(ArbitraryHandlerTest, WrongSizesFlattenNothingAndUnflattenTheDefault) {
  PF_ArbitraryH value = Value(host, "hello-world");
  std::vector<char> flat(13, 'x');
  PF_ArbParamsExtra flatten = Extra(PF_Arbitrary_FLATTEN_FUNC);
  flatten.u.flatten_func_params.arbH = value;
  flatten.u.flatten_func_params.buf_sizeLu = 13;
  flatten.u.flatten_func_params.flat_dataPV = flat.data();
  ASSERT_EQ(RouteArbitraryCallback(&flatten), PF_Err_NONE);
  EXPECT_EQ(flat, std::vector<char>(13, 'x'));
  EXPECT_EQ(host.LockCount(value), 0);
  PF_ArbitraryH back = nullptr;
  PF_ArbParamsExtra unflatten = Extra(PF_Arbitrary_UNFLATTEN_FUNC);
  unflatten.u.unflatten_func_params.buf_sizeLu = 5;
  unflatten.u.unflatten_func_params.flat_dataPV = "abcd";
  unflatten.u.unflatten_func_params.arbPH = &back;
  ASSERT_EQ(RouteArbitraryCallback(&unflatten), PF_Err_NONE);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(Text(back), "default-val");
  EXPECT_EQ(handler.mended, 0);
  EXPECT_EQ(host.LockCount(back), 0);
}

TEST_F(ArbitraryHandlerTest, CopyOfNothingIsTheDefaultAndInterpolateTakesLeftValue) {
  // A copy of nothing is the default value (copies of values are seen
  // through the host's builder curves).
  PF_ArbitraryH dst = nullptr;
  PF_ArbParamsExtra copy = Extra(PF_Arbitrary_COPY_FUNC);
  copy.u.copy_func_params.dst_arbPH = &dst;
  ASSERT_EQ(RouteArbitraryCallback(&copy), PF_Err_NONE);
  ASSERT_NE(dst, nullptr);
  EXPECT_EQ(Text(dst), "default-val");
  EXPECT_EQ(host.LockCount(dst), 0);
  PF_ArbitraryH result = Value(host, "");
  PF_ArbParamsExtra interp = Extra(PF_Arbitrary_INTERP_FUNC);
  interp.u.interp_func_params.left_arbH = Value(host, "left-value");
  interp.u.interp_func_params.right_arbH = Value(host, "right-valu");
  interp.u.interp_func_params.tF = 0.9;
  interp.u.interp_func_params.interpPH = &result;
  ASSERT_EQ(RouteArbitraryCallback(&interp), PF_Err_NONE);
  EXPECT_EQ(Text(result), "left-value");

  // A host that leaves the result to the effect gets a new value.
  PF_ArbitraryH made = nullptr;
  interp.u.interp_func_params.interpPH = &made;
  ASSERT_EQ(RouteArbitraryCallback(&interp), PF_Err_NONE);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(Text(made), "left-value");

  // No new value to hold it: out of memory, never a success with no result.
  PF_ArbitraryH none = nullptr;
  interp.u.interp_func_params.interpPH = &none;
  host.failNewHandle = true;
  EXPECT_EQ(RouteArbitraryCallback(&interp), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(none, nullptr);
}

TEST_F(ArbitraryHandlerTest, PrintNeverOverrunsAndBadCallsFail) {
  // The text is printed; a buffer smaller than it is never overrun.
  const std::pair<A_u_long, const char *> prints[] = {{512, "NO COPY PASTE DATA"}, {5, "NO C"}};
  for (const auto &[room, text] : prints) {
    std::vector<char> buffer(room + 1, 'x');
    PF_ArbParamsExtra print = Extra(PF_Arbitrary_PRINT_FUNC);
    print.u.print_func_params.print_sizeLu = room;
    print.u.print_func_params.print_bufferPC = buffer.data();
    EXPECT_EQ(RouteArbitraryCallback(&print), PF_Err_NONE);
    EXPECT_STREQ(buffer.data(), text);
    EXPECT_EQ(buffer[room], 'x');
  }

  // Bad calls fail. (Disposal is seen through the host's builder curves.)
  PF_ArbParamsExtra bad = Extra(11);
  EXPECT_EQ(RouteArbitraryCallback(&bad), PF_Err_UNRECOGNIZED_PARAM_TYPE);
  PF_ArbParamsExtra orphan = Extra(PF_Arbitrary_NEW_FUNC);
  orphan.u.new_func_params.refconPV = nullptr;
  EXPECT_EQ(RouteArbitraryCallback(&orphan), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(RouteArbitraryCallback(nullptr), PF_Err_BAD_CALLBACK_PARAM);
}

// A refused handle suite makes no value. (Attach and Detach, which no effect
// calls, are left alone; every effect test sees the suites released.)
TEST(ArbitraryHandlerSuites, RefusedHandleSuiteMakesNoValue) {
  FakeHandleHost host;
  host.registry.Withdraw(kPFHandleSuite, kPFHandleSuiteVersion1);
  TextHandler handler(host.InData());
  PF_ArbitraryH value = nullptr;
  const char flat[12] = "hello-world";
  EXPECT_EQ(handler.Unflatten(12, flat, &value), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(value, nullptr);
  EXPECT_EQ(handler.NewValue(&value), PF_Err_NONE);  // no suite: no value, no crash
  EXPECT_EQ(value, nullptr);
}

}  // namespace
}  // namespace vlam
