// vlam inspect on a scene with the module stack: the records the Vlam effects
// exchange, by field name, for default parameters.
#include "e2e_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <numbers>

namespace {

using json = nlohmann::json;

class InspectFlashes : public vlam::test::ToolTest {
protected:
  void SetUp() override { writeEmptyScene(); }

  json inspect(const char *frame) {
    auto r = run({"inspect", "scene.json", "--frame", frame, "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return json::parse(r.out)["compositions"][0]["layers"][0];
  }
};

TEST_F(InspectFlashes, DefaultStackShowsDesignRecordAndCollectedBlock) {
  ASSERT_EQ(run({"apply", "scene.json", "--layer", "Plate", "--effect", "zk_Vlam"}).exitCode, 0);
  const json layer = inspect("3");
  const json &effects = layer["effects"];
  ASSERT_EQ(effects.size(), 4u);

  const json &builder = effects[1]["flash_design"];
  EXPECT_EQ(builder["slot"], "Flash A");
  const json &d = builder["design"];
  EXPECT_EQ(d["valid"], 1);
  EXPECT_DOUBLE_EQ(d["mainLength"].get<double>(), 250.0);
  EXPECT_DOUBLE_EQ(d["mainDiameter"].get<double>(), 100.0);
  EXPECT_DOUBLE_EQ(d["mainFalloffA"].get<double>(), 0.75 * 0.9 + 0.25);
  EXPECT_DOUBLE_EQ(d["mainFalloffB"].get<double>(), 0.25 * 0.3 + 0.75 * 0.25);
  EXPECT_DOUBLE_EQ(d["sparkDispersion"].get<double>(), 15.0 * std::numbers::pi / 180.0);
  EXPECT_DOUBLE_EQ(d["displacementAmount"].get<double>(), 80 * 0.04);
  EXPECT_DOUBLE_EQ(d["baseFrequency"].get<double>(), 0.01);
  EXPECT_EQ(d["maxSparks"], 0);
  EXPECT_EQ(d["petalProfile"], false) << "petals None leave the petal fields alone";
  EXPECT_EQ(builder["mainProfile"],
            "[x:0;y:0.16],[x:0.03;y:0.65],[x:0.1;y:0.92],[x:0.19;y:0.97],[x:0.34;y:1],[x:0.53;y:0.87],"
            "[x:0.67;y:0.74],[x:0.84;y:0.46],[x:1;y:0]");
  EXPECT_EQ(builder["petalLayout"]["count"], 0);

  const json &record = effects[2]["instance"]["record"];
  EXPECT_EQ(record["designIndex"], 0);
  EXPECT_EQ(record["randomSeed"], 1024);
  EXPECT_DOUBLE_EQ(record["randomness"].get<double>(), 1.0);
  EXPECT_DOUBLE_EQ(record["triggerLevel"].get<double>(), 0.4);
  EXPECT_DOUBLE_EQ(record["postScale"].get<double>(), 1.0);
  EXPECT_NEAR(record["roll"].get<double>(), std::numbers::pi + 13 * std::numbers::pi / 180, 1e-12);
  EXPECT_TRUE(effects[2]["instance"]["triggerKeys"].empty());

  const json &collected = layer["collected"];
  EXPECT_EQ(collected["instanceCount"], 1);
  ASSERT_EQ(collected["designs"].size(), 4u);
  EXPECT_EQ(collected["designs"][0]["design"], d);
  EXPECT_TRUE(collected["designs"][1]["design"].is_null());
  ASSERT_EQ(collected["instances"].size(), 1u);
  EXPECT_EQ(collected["instances"][0]["record"], record);
  // No shape randomisation in the design: energy 0.4, scale 1, no blend;
  // brightness 100 % gives the colour factor 0.25.
  const json &derived = collected["instances"][0]["derived"];
  EXPECT_EQ(derived["firing"], true);
  EXPECT_DOUBLE_EQ(derived["energy"].get<double>(), 0.4);
  EXPECT_DOUBLE_EQ(derived["easedBrightness"].get<double>(), 1.0);
  EXPECT_DOUBLE_EQ(derived["colourFactor"].get<double>(), 0.25);
  EXPECT_DOUBLE_EQ(derived["shapeScale"].get<double>(), 1.0);
  EXPECT_DOUBLE_EQ(derived["blendWeight"].get<double>(), 0.0);
  EXPECT_EQ(derived["sparkCount"], 0);
}

TEST_F(InspectFlashes, TriggerKeysAndASilentInstance) {
  ASSERT_EQ(run({"apply", "scene.json", "--layer", "Plate", "--effect", "zk_VlamFlash"}).exitCode, 0);
  ASSERT_EQ(run({"apply", "scene.json", "--layer", "Plate", "--effect", "zk_VlamInstance"}).exitCode, 0);
  // Trigger off from frame 4 on.
  std::string scene = vlam::test::readText(dir / "scene.json");
  const std::string from = "\"Trigger\": true";
  ASSERT_NE(scene.find(from), std::string::npos);
  scene.replace(scene.find(from), from.size(),
                R"("Trigger": {"keyframes": [{"frame": 0, "value": true, "interpolation": "hold"},
                                             {"frame": 4, "value": false, "interpolation": "hold"}]})");
  std::ofstream(dir / "scene.json") << scene;

  const json on = inspect("2");
  const json &instance = on["effects"][1]["instance"];
  ASSERT_EQ(instance["triggerKeys"].size(), 2u);
  EXPECT_EQ(instance["triggerKeys"][1]["frame"], 4.0);
  EXPECT_EQ(instance["triggerKeys"][1]["value"], false);
  EXPECT_DOUBLE_EQ(on["collected"]["instances"][0]["record"]["triggerLevel"].get<double>(), 0.4);

  const json off = inspect("5");
  EXPECT_DOUBLE_EQ(off["collected"]["instances"][0]["record"]["triggerLevel"].get<double>(), 0.0);
  EXPECT_EQ(off["collected"]["instances"][0]["derived"]["firing"], false);
}

} // namespace
