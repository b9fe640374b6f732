// What the builder's controls draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "builder_host_support.h"
#include "flash/builder_params.h"

namespace vlam_test {
namespace {

using vlam::kBuilderMainProfile;
using vlam::kBuilderPetalConfiguration;

// The fake host's colour n is a grey of 1000 (n + 1) / 65536; highlighted
// buttons are colour 15 brightened by 1.42.
const float kHighlight = static_cast<float>(16000.0 / 65536.0 * 1.42);

class BuilderUiDraw : public ::testing::Test {
 protected:
  PF_Err Draw(PF_ParamIndex param) {
    host.drawbot.draws.clear();
    PF_EventExtra event = host.Event(PF_Event_DRAW, param, 0, 0);
    return host.Send(event);
  }
  // Whether the rectangle filled at (x, y) has the highlight colour.
  bool Highlighted(float x, float y) const {
    for (const auto &d : host.drawbot.DrawsOf("FillPath")) {
      if (d.path.size() == 1 && d.path[0].a == x && d.path[0].b == y) return d.color.red == kHighlight;
    }
    ADD_FAILURE() << "no button at " << x << ", " << y;
    return false;
  }
  // The filled path holding `kites` kites (five path steps each).
  std::vector<FakeDrawbot::PathOp> Icon(int kites) const {
    for (const auto &d : host.drawbot.DrawsOf("FillPath")) {
      if (d.path.size() == static_cast<std::size_t>(5 * kites)) return d.path;
    }
    return {};
  }

  BuilderUiHost host;
};

TEST_F(BuilderUiDraw, TheCurrentPresetIsHighlighted) {
  const float x[] = {25.5f, 89.5f, 153.5f, 217.5f, 281.5f};
  ASSERT_EQ(Draw(kBuilderMainProfile), PF_Err_NONE);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Highlighted(x[k], 384.5f), k == 1) << k;  // the default
  // The dashed line over the 286-pixel curve area from x = 30: dashes of about
  // 3 pixels, 96 steps of 286 / 96, every other one drawn (48 dashes).
  const auto dashes = host.drawbot.DrawsOf("StrokePath").at(0).path;
  ASSERT_EQ(dashes.size(), 2u * 48);
  EXPECT_FLOAT_EQ(dashes.front().a, 30.0f);
  EXPECT_NEAR(dashes.back().a, 30.0 + 95 * 286.0 / 96, 1e-3);
  // The diameter handle runs up a track in the middle of its column, x 326
  // to 346 at full diameter: a line at x = 336 and a 15-wide handle on it.
  int tracks = 0, handles = 0;
  for (const auto &d : host.drawbot.DrawsOf("StrokePath"))
    tracks += d.path.size() == 2 && d.path[0].a == 336.0f && d.path[1].a == 336.0f ? 1 : 0;
  for (const auto &d : host.drawbot.DrawsOf("FillPath"))
    handles += d.path.size() == 1 && d.path[0].a == 336.0f - 7.5f ? 1 : 0;
  EXPECT_EQ(std::pair(tracks, handles), std::pair(1, 1));

  PF_EventExtra click = host.Event(PF_Event_DO_CLICK, kBuilderMainProfile, 240, 400);
  ASSERT_EQ(host.Send(click), PF_Err_NONE);  // load the fourth
  ASSERT_EQ(Draw(kBuilderMainProfile), PF_Err_NONE);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Highlighted(x[k], 384.5f), k == 3) << k;
  EXPECT_EQ(host.drawbot.Live(), 0);
}

TEST_F(BuilderUiDraw, PetalButtonsShowTheirLayoutsAndTheIdentifierStripTheDesignsColour) {
  host.builder.SetPopup(kBuilderPetalConfiguration, 4);  // Three Star
  ASSERT_EQ(Draw(kBuilderPetalConfiguration), PF_Err_NONE);
  EXPECT_EQ(host.drawbot.DrawsOf("DrawString").at(0).text, "NO PETALS");
  EXPECT_TRUE(Highlighted(264.5f, 305.5f));   // button 3
  EXPECT_FALSE(Highlighted(104.5f, 305.5f));  // button 1

  // Button 3, centred at (301.5, 331.5): three kites, the first pointing up.
  auto icon = Icon(3);
  ASSERT_EQ(icon.size(), 15u);
  EXPECT_NEAR(icon[2].a, 301.5f, 1e-4);
  EXPECT_NEAR(icon[2].b, 331.5f - 21.0f, 1e-4);
  EXPECT_NEAR(icon[7].a, 301.5f + 21.0f * std::sin(2.0943951), 1e-3);  // at 120 degrees

  host.Variants().remembered[3] = 1;  // Three T: the second kite points right
  ASSERT_EQ(Draw(kBuilderPetalConfiguration), PF_Err_NONE);
  icon = Icon(3);
  ASSERT_EQ(icon.size(), 15u);
  EXPECT_NEAR(icon[7].a, 301.5f + 21.0f, 1e-4);
  EXPECT_NEAR(icon[7].b, 331.5f, 1e-4);

  host.builder.SetPopup(vlam::kBuilderFlashIdentifier, 2);  // Flash B
  ASSERT_EQ(Draw(vlam::kBuilderIdentifierStrip), PF_Err_NONE);
  const auto rects = host.drawbot.DrawsOf("PaintRect");
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ((std::vector{rects[0].color.red, rects[0].rect.top, rects[0].rect.width}),
            (std::vector{0.97f, 308.0f, 308.0f}));
}

}  // namespace
}  // namespace vlam_test
