#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "render/render_host_support.h"
#include "render/world_buffer.h"

namespace vlam {
namespace {

using vlam_render_test::RenderTestHost;

template <class Pixel>
Pixel& At(WorldBuffer& b, A_long x, A_long y) {
  PF_EffectWorld& w = b.World();
  return reinterpret_cast<Pixel*>(reinterpret_cast<char*>(w.data) + y * w.rowbytes)[x];
}

TEST(WorldBuffer, CreateReleaseAndEndOfLife) {
  RenderTestHost host;
  {
    WorldBuffer b;
    EXPECT_EQ(b.Create(&host.in_data, 8, 4, PF_PixelFormat_ARGB128, "FLASH_WORLD"), PF_Err_NONE);
    EXPECT_STREQ(b.Name(), "FLASH_WORLD");
    EXPECT_EQ(b.World().width, 8);
    EXPECT_FALSE(b.Released());
    EXPECT_EQ(host.liveWorlds, 1);
    EXPECT_EQ(At<PF_PixelFloat>(b, 7, 3).alpha, 0.0f);  // cleared
    EXPECT_EQ(b.Release(), PF_Err_NONE);
    EXPECT_TRUE(b.Released());
    EXPECT_EQ(host.liveWorlds, 0);
    EXPECT_EQ(b.Release(), PF_Err_NONE);  // twice is harmless
    WorldBuffer c, d;
    c.Create(&host.in_data, 2, 2, PF_PixelFormat_ARGB128, nullptr);
    EXPECT_STREQ(c.Name(), "UNNAMED");
    d.Create(&host.in_data, 1, 1, PF_PixelFormat_ARGB128, std::string(60, 'N').c_str());
    EXPECT_EQ(std::strlen(d.Name()), 34u);  // names are cut
    EXPECT_EQ(host.liveWorlds, 2);
  }
  // The buffers left unreleased was given back at the end of its scope.
  EXPECT_EQ(host.liveWorlds, 0);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

// A failed create keeps its error and releases nothing; a missing world suite
// throws the host code.
TEST(WorldBuffer, AFailedCreateKeepsItsErrorAndAMissingSuiteThrows) {
  RenderTestHost host;
  host.newWorldError = PF_Err_OUT_OF_MEMORY;
  WorldBuffer b;
  EXPECT_EQ(b.Create(&host.in_data, 4, 4, PF_PixelFormat_ARGB128, "X"), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(b.Status(), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(b.Fill(PF_PixelFloat{1, 0, 0, 0}, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(b.Release(), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host.liveWorlds, 0);

  host.registry.Withdraw(kPFWorldSuite, kPFWorldSuiteVersion2);
  WorldBuffer missing;
  try {
    missing.Create(&host.in_data, 4, 4, PF_PixelFormat_ARGB128, "X");
    FAIL() << "no throw";
  } catch (A_long code) {
    EXPECT_EQ(code, A_Err_MISSING_SUITE);
  }
}

TEST(WorldBuffer, FillConvertsTheColourToTheDepth) {
  RenderTestHost host;
  WorldBuffer b8, b16, bf;
  b8.Create(&host.in_data, 3, 3, PF_PixelFormat_ARGB32, "B8");
  b16.Create(&host.in_data, 3, 3, PF_PixelFormat_ARGB64, "B16");
  bf.Create(&host.in_data, 3, 3, PF_PixelFormat_ARGB128, "BF");
  EXPECT_EQ(b8.Fill(PF_PixelFloat{1, 0, 0, 0}, nullptr), PF_Err_NONE);
  const PF_Pixel8 p8 = At<PF_Pixel8>(b8, 2, 2);
  EXPECT_EQ(p8.alpha, 255);
  EXPECT_EQ(p8.red + p8.green + p8.blue, 0);

  const PF_Rect r{1, 1, 2, 3};
  EXPECT_EQ(b16.Fill(PF_PixelFloat{0.5f, 2.0f, -1.0f, 0.25f}, &r), PF_Err_NONE);
  const PF_Pixel16 p16 = At<PF_Pixel16>(b16, 1, 2);
  EXPECT_EQ(p16.alpha, 16384);
  EXPECT_EQ(p16.red, 32768);  // clipped at full
  EXPECT_EQ(p16.green, 0);    // negative does not wrap
  EXPECT_EQ(p16.blue, 8192);
  EXPECT_EQ(At<PF_Pixel16>(b16, 0, 0).alpha, 0);  // outside the rectangle

  EXPECT_EQ(bf.Clear(), PF_Err_NONE);
  EXPECT_EQ(At<PF_PixelFloat>(bf, 1, 1).alpha, 1.0f);
  EXPECT_EQ(bf.Status(), PF_Err_NONE);

  WorldBuffer odd;
  odd.Create(&host.in_data, 2, 2, PF_PixelFormat_BGRA32, "ODD");
  EXPECT_EQ(odd.Fill(PF_PixelFloat{1, 1, 1, 1}, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(odd.Status(), PF_Err_BAD_CALLBACK_PARAM);
}

// A raw copy needs the same layout; a copy goes through the host.
TEST(WorldBuffer, RawCopyNeedsTheSameLayoutAndCopyGoesThroughTheHost) {
  RenderTestHost host;
  WorldBuffer a, b, c;
  a.Create(&host.in_data, 4, 3, PF_PixelFormat_ARGB128, "A");
  b.Create(&host.in_data, 4, 3, PF_PixelFormat_ARGB128, "B");
  c.Create(&host.in_data, 5, 3, PF_PixelFormat_ARGB128, "C");
  At<PF_PixelFloat>(a, 3, 2).green = 0.75f;
  EXPECT_EQ(b.RawCopyFrom(a), PF_Err_NONE);
  EXPECT_EQ(At<PF_PixelFloat>(b, 3, 2).green, 0.75f);
  At<PF_PixelFloat>(c, 0, 0).red = 9.0f;
  EXPECT_EQ(c.RawCopyFrom(a), PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(At<PF_PixelFloat>(c, 0, 0).red, 9.0f);
  a.World().height = b.World().height = 0;  // empty buffers of one layout: nothing to copy
  EXPECT_EQ(b.RawCopyFrom(a), PF_Err_INTERNAL_STRUCT_DAMAGED);
  a.World().height = b.World().height = 3;

  WorldBuffer big, small;
  big.Create(&host.in_data, 4, 4, PF_PixelFormat_ARGB128, "A");
  small.Create(&host.in_data, 2, 2, PF_PixelFormat_ARGB128, "B");
  At<PF_PixelFloat>(big, 1, 1).blue = 3.0f;
  EXPECT_EQ(small.CopyFrom(&big.World(), nullptr, nullptr), PF_Err_NONE);
  EXPECT_EQ(At<PF_PixelFloat>(small, 1, 1).blue, 3.0f);
}

}  // namespace
}  // namespace vlam
