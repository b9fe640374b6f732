// What the builder's controls draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "builder_ui_support.h"
#include "flash/builder_params.h"

namespace vlam_test {
namespace {

using vlam::kBuilderIdentifierStrip;
using vlam::kBuilderMainProfile;
using vlam::kBuilderPetalConfiguration;

// The fake host's colour n is a grey of 1000 (n + 1) / 65536.
float Grey(int n, double factor = 1.0) { return static_cast<float>(1000.0 * (n + 1) / 65536.0 * factor); }

class BuilderUiDraw : public ::testing::Test {
 protected:
  PF_Err Draw(PF_ParamIndex param) {
    host.drawbot.draws.clear();
    PF_EventExtra event = host.Event(PF_Event_DRAW, param, 0, 0);
    const PF_Err err = host.Send(event);
    out_flags = event.evt_out_flags;
    return err;
  }
  // The fills of rectangles whose top left is (x, y).
  std::vector<FakeDrawbot::Draw> FillsAt(float x, float y) const {
    std::vector<FakeDrawbot::Draw> found;
    for (const auto &d : host.drawbot.DrawsOf("FillPath")) {
      if (!d.path.empty() && d.path[0].op == "AddRect" && d.path[0].a == x && d.path[0].b == y) {
        found.push_back(d);
      }
    }
    return found;
  }
  bool Highlighted(float x, float y) const {
    const auto fills = FillsAt(x, y);
    return fills.size() == 1 && fills[0].color.red == Grey(15, 1.42);
  }

  BuilderUiHost host;
  PF_EventOutFlags out_flags = 0;
};

constexpr float kPresetX[] = {25.5f, 89.5f, 153.5f, 217.5f, 281.5f};
constexpr float kPresetY = 384.5f;

TEST_F(BuilderUiDraw, TheCurrentPresetIsHighlighted) {
  // The default main curve is the second main preset.
  ASSERT_EQ(Draw(kBuilderMainProfile), PF_Err_NONE);
  EXPECT_EQ(out_flags, PF_EO_HANDLED_EVENT);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Highlighted(kPresetX[k], kPresetY), k == 1) << k;
  }
  EXPECT_FLOAT_EQ(FillsAt(kPresetX[0], kPresetY).at(0).color.red, Grey(1, 1.42));

  // Load the fourth: it becomes the highlighted one.
  PF_EventExtra click = host.Event(PF_Event_DO_CLICK, kBuilderMainProfile, 240, 400);
  ASSERT_EQ(host.Send(click), PF_Err_NONE);
  ASSERT_EQ(Draw(kBuilderMainProfile), PF_Err_NONE);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Highlighted(kPresetX[k], kPresetY), k == 3) << k;
  }

  // Edited away from every preset, nothing is highlighted.
  PF_EventExtra drag = host.Event(PF_Event_DRAG, kBuilderMainProfile, 100, 340);
  drag.u.do_click.continue_refcon[0] = 3;
  ASSERT_EQ(host.Send(drag), PF_Err_NONE);
  ASSERT_EQ(Draw(kBuilderMainProfile), PF_Err_NONE);
  for (int k = 0; k < 5; ++k) EXPECT_FALSE(Highlighted(kPresetX[k], kPresetY)) << k;
}

TEST_F(BuilderUiDraw, CurveDashedLineAndHandle) {
  ASSERT_EQ(Draw(kBuilderMainProfile), PF_Err_NONE);
  const auto strokes = host.drawbot.DrawsOf("StrokePath");
  const auto curve = std::find_if(strokes.begin(), strokes.end(),
                                  [](const auto &d) { return d.pen_size == 1.5f; });
  ASSERT_NE(curve, strokes.end());
  ASSERT_EQ(curve->path.size(), 9u);  // the default curve's points
  EXPECT_FLOAT_EQ(curve->path[0].a, 30.5f);
  EXPECT_FLOAT_EQ(curve->path[0].b, static_cast<float>(374 - 0.16 * 38 + 0.5));
  EXPECT_FLOAT_EQ(curve->path[8].a, 316.5f);
  EXPECT_FLOAT_EQ(curve->color.red, 0.75f);

  // 286 pixels in 96 steps, every other one drawn, 3 pixels above the area.
  const auto dashes = std::find_if(strokes.begin(), strokes.end(), [](const auto &d) {
    return !d.path.empty() && d.path[0].b == 333.5f && d.path.size() > 20;
  });
  ASSERT_NE(dashes, strokes.end());
  EXPECT_EQ(dashes->path.size(), 96u);
  EXPECT_NEAR(dashes->path[1].a - dashes->path[0].a, 286.0 / 96.0, 1e-4);
  EXPECT_NEAR(dashes->path[2].a - dashes->path[0].a, 2 * 286.0 / 96.0, 1e-4);

  // The 15 x 7 handle centred at 310 + (1 - 0.642857) x 65.
  const auto handle = std::find_if(host.drawbot.draws.begin(), host.drawbot.draws.end(),
                                   [](const auto &d) {
                                     return d.op == "FillPath" && d.path.size() == 1 &&
                                            d.path[0].c == 15.0f && d.path[0].d == 7.0f;
                                   });
  ASSERT_NE(handle, host.drawbot.draws.end());
  EXPECT_NEAR(handle->path[0].b + 3.5, 310 + (1 - 0.6428571428571429) * 65, 1e-4);
  EXPECT_EQ(host.drawbot.Live(), 0);
  EXPECT_EQ(host.drawbot.unknown_objects, 0);
}

TEST_F(BuilderUiDraw, PetalButtonsShowTheirLayouts) {
  host.builder.SetPopup(kBuilderPetalConfiguration, 4);  // Three Star
  ASSERT_EQ(Draw(kBuilderPetalConfiguration), PF_Err_NONE);
  const auto texts = host.drawbot.DrawsOf("DrawString");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "NO PETALS");
  EXPECT_TRUE(Highlighted(264.5f, 305.5f));   // button 3
  EXPECT_FALSE(Highlighted(104.5f, 305.5f));  // button 1

  // Button 3's icon: three kites, the first pointing up from (301.5, 331.5).
  const auto is_icon = [](const FakeDrawbot::Draw &d, int kites) {
    return d.op == "FillPath" && d.path.size() == static_cast<std::size_t>(5 * kites);
  };
  auto icon = std::find_if(host.drawbot.draws.begin(), host.drawbot.draws.end(),
                           [&](const auto &d) { return is_icon(d, 3); });
  ASSERT_NE(icon, host.drawbot.draws.end());
  EXPECT_NEAR(icon->path[2].a, 301.5f, 1e-4);
  EXPECT_NEAR(icon->path[2].b, 331.5f - 21.0f, 1e-4);
  EXPECT_EQ(icon->path[4].op, "Close");
  EXPECT_NEAR(icon->path[7].a, 301.5f + 21.0f * std::sin(2.0943951), 1e-3);  // 120 degrees

  // With Three T remembered, the second kite points right (90 degrees).
  host.Variants().remembered[3] = 1;
  ASSERT_EQ(Draw(kBuilderPetalConfiguration), PF_Err_NONE);
  icon = std::find_if(host.drawbot.draws.begin(), host.drawbot.draws.end(),
                      [&](const auto &d) { return is_icon(d, 3) && d.path[2].a == 301.5f; });
  ASSERT_NE(icon, host.drawbot.draws.end());
  EXPECT_NEAR(icon->path[7].a, 301.5f + 21.0f, 1e-4);
  EXPECT_NEAR(icon->path[7].b, 331.5f, 1e-4);
  EXPECT_EQ(host.drawbot.Live(), 0);
}

TEST_F(BuilderUiDraw, IdentifierStripInTheDesignsColour) {
  host.builder.SetPopup(vlam::kBuilderFlashIdentifier, 2);  // Flash B
  ASSERT_EQ(Draw(kBuilderIdentifierStrip), PF_Err_NONE);
  const auto rects = host.drawbot.DrawsOf("PaintRect");
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_FLOAT_EQ(rects[0].color.red, 0.97f);
  EXPECT_FLOAT_EQ(rects[0].color.green, 0.577f);
  EXPECT_FLOAT_EQ(rects[0].color.blue, 0.116f);
  EXPECT_FLOAT_EQ(rects[0].rect.left, 20.0f);
  EXPECT_FLOAT_EQ(rects[0].rect.top, 308.0f);
  EXPECT_FLOAT_EQ(rects[0].rect.width, 308.0f);
  EXPECT_FLOAT_EQ(rects[0].rect.height, 108.0f);

  host.builder.SetPopup(vlam::kBuilderFlashIdentifier, 9);  // not an item
  ASSERT_EQ(Draw(kBuilderIdentifierStrip), PF_Err_NONE);
  EXPECT_TRUE(host.drawbot.draws.empty());
}

TEST_F(BuilderUiDraw, AFailedDrawingObjectIsTheEventsError) {
  vlam::FakeHandleHost &handles = host.builder.Handles();
  const int held = handles.acquired - handles.released;  // the curve handlers keep theirs
  host.drawbot.failing["NewPen"] = 17;
  EXPECT_EQ(Draw(kBuilderMainProfile), 17);
  EXPECT_EQ(host.drawbot.Live(), 0);
  EXPECT_EQ(handles.LockCount(host.builder.values[kBuilderMainProfile].u.arb_d.value), 0);
  EXPECT_EQ(handles.LockCount(host.builder.InData()->global_data), 1);  // its own lock only
  EXPECT_EQ(handles.acquired - handles.released, held);
}

TEST_F(BuilderUiDraw, AFailedPathCallEndsTheDrawing) {
  host.drawbot.failing["LineTo"] = 3;
  EXPECT_EQ(Draw(kBuilderMainProfile), 3);
  const auto &calls = host.drawbot.calls;
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "LineTo"), 1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "FillPath"), 0);
}

}  // namespace
}  // namespace vlam_test
