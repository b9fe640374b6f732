// The host's description of the records the Vlam effects exchange, checked
// against what the module writes, and the module's firing description export
// refusing what it cannot describe.
#include "host/effect/EffectRunner.h"
#include "host/report/RecordLayouts.h"
#include "host/module/ModuleLibrary.h"
#include "host_support.h"

#include <VlamFiringDescription.h>

using namespace vlam;
using vlam::test::TempDir;
namespace rec = vlam::host::records;

namespace {

constexpr std::uint8_t kFill = 0xCD;

class FlashRecords : public ::testing::Test {
protected:
  TempDir dir;
  std::unique_ptr<host::Host> host = std::make_unique<host::Host>(test::testHostOptions(dir));
  host::Layer &plate = test::openSolidProject(*host);

  // Bytes of a block (with a guard band after it) that a call changed.
  std::vector<std::size_t> changedBy(host::EffectInstance &effect, std::vector<std::uint8_t> &block) {
    const std::vector<std::uint8_t> before = block;
    host::CallOptions options;
    options.extra = block.data();
    EXPECT_EQ(host->runner().call(effect.installed(), &effect, PF_Cmd_COMPLETELY_GENERAL, options).err, PF_Err_NONE);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < block.size(); ++i)
      if (block[i] != before[i]) changed.push_back(i);
    return changed;
  }
};

TEST_F(FlashRecords, BuilderAndInstanceWriteOnlyTheirSlot) {
  host::EffectInstance *builder = host->applyEffect(plate, "zk_VlamFlash");
  host::EffectInstance *instance = host->applyEffect(plate, "zk_VlamInstance");
  ASSERT_TRUE(builder && instance);

  std::vector<std::uint8_t> block(rec::kExchangeBlockSize + 64, kFill);
  const auto byBuilder = changedBy(*builder, block);
  ASSERT_FALSE(byBuilder.empty());
  EXPECT_GE(byBuilder.front(), rec::kDesignsOffset);
  EXPECT_LT(byBuilder.back(), rec::kDesignsOffset + rec::kFlashDesignSize) << "Flash A is the first slot";
  const std::span<const std::uint8_t> design(block.data() + rec::kDesignsOffset, rec::kFlashDesignSize);
  EXPECT_EQ(design[rec::kDesignValidOffset], 1);
  EXPECT_NE(host::readAt<std::uint64_t>(design, rec::kDesignMainProfileOffset), 0u);

  std::vector<std::uint8_t> instances(rec::kExchangeBlockSize + 64, kFill);
  const std::int32_t one = 1;
  std::memcpy(instances.data() + rec::kInstanceCountOffset, &one, sizeof one);
  const auto byInstance = changedBy(*instance, instances);
  ASSERT_FALSE(byInstance.empty());
  EXPECT_GE(byInstance.front(), rec::kInstancesOffset);
  EXPECT_LT(byInstance.back(), rec::kInstancesOffset + rec::kInstanceRecordSize);
  const std::span<const std::uint8_t> record(instances.data() + rec::kInstancesOffset, rec::kInstanceRecordSize);
  EXPECT_EQ(host::readAt<double>(record, rec::kInstanceTriggerLevelOffset), 0.4);
  const nlohmann::ordered_json fields = host::recordJson(record, host::instanceRecordFields());
  EXPECT_EQ(fields["randomSeed"], 1024);
  EXPECT_EQ(fields["maskId"], 0u);
}

TEST_F(FlashRecords, FiringDescriptionRefusesWhatItCannotDescribe) {
  auto describe = reinterpret_cast<VlamDescribeFiringFunc>(host->module().symbol(VlamDescribeFiring_FuncName));
  ASSERT_NE(describe, nullptr);
  std::vector<std::uint8_t> block(rec::kExchangeBlockSize, 0);
  VlamFiringDescription d{};
  EXPECT_EQ(describe(nullptr, 0, 0, 0, &d), A_Err_PARAMETER);
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize - 1, 0, 0, &d), A_Err_PARAMETER);
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize, 0, 0, nullptr), A_Err_PARAMETER);
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize, 0, 0, &d), A_Err_PARAMETER) << "no instances";
  // Damaged counts and slots never reach outside the sixteen slots.
  const std::int32_t count = 1000;
  std::memcpy(block.data() + rec::kInstanceCountOffset, &count, sizeof count);
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize, 0, 16, &d), A_Err_PARAMETER);
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize, 0, -1, &d), A_Err_PARAMETER);
  // An instance whose design index is out of range, or whose design slot is
  // empty, does not fire.
  const std::uint32_t badDesign = 7;
  std::memcpy(block.data() + rec::kInstancesOffset, &badDesign, sizeof badDesign);
  const double on = 0.4;
  std::memcpy(block.data() + rec::kInstancesOffset + rec::kInstanceTriggerLevelOffset, &on, sizeof on);
  d.firing = 5;
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize, 0, 0, &d), A_Err_NONE);
  EXPECT_EQ(d.firing, 0);
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize, 0, 15, &d), A_Err_NONE);
  EXPECT_EQ(d.firing, 0);
}

} // namespace
