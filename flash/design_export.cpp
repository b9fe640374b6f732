#include "flash/design_export.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <optional>

#include "AE_EffectCBSuites.h"
#include "flash/builder_globals.h"
#include "flash/builder_params.h"
#include "flash/exported_curves.h"
#include "frame/host_error.h"
#include "frame/param_checkout.h"
#include "frame/param_value_suites.h"
#include "frame/scoped_suite.h"

namespace vlam {

std::int32_t RoundHalfAwayFromZero(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::round(value);
  if (r >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

PF_Err ExportFlashDesign(PF_InData* in_data, FlashDesignTable* table) {
  if (!table) return PF_Err_BAD_CALLBACK_PARAM;
  // Every checkout lives to the end of the export; leaving the function
  // checks them in in reverse order.
  const ParamCheckout identifier(in_data, kBuilderFlashIdentifier);
  if (identifier.error()) return identifier.error();
  const A_long id = identifier.PopupValue();
  if (id < 1 || id > kFlashIdentifierCount) return PF_Err_NONE;
  const int slotIndex = id - 1;
  FlashDesign& slot = table->designs[slotIndex];

  // The curve copies are read through the handle suite, so it is taken
  // before the first field is written.
  const ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1);
  const ParamValueSuites suites(in_data);

  const ParamCheckout mainLength(in_data, kBuilderMainLength);
  const ParamCheckout mainDiameter(in_data, kBuilderMainDiameter);
  const ParamCheckout mainProfile(in_data, kBuilderMainProfile);
  const ParamCheckout falloff(in_data, kBuilderBrightnessFalloff);
  const double f = falloff.FloatValue() * 0.01;
  slot.mainProfile = KeepExportedCurve(table, slotIndex, ExportedProfile::Main, mainProfile.ArbitraryValue(), *handles.get());
  slot.mainLength = mainLength.FloatValue();
  slot.mainDiameter = mainDiameter.FloatValue() * 200.0;
  slot.brightnessFalloff = static_cast<float>(f);
  slot.mainFalloffA = f * 0.9 + (1.0 - f);
  slot.mainFalloffB = (1.0 - f) * 0.3 + f * 0.25;

  // The global record holds a lock of its own from global setup to setdown,
  // so the layout entry keeps its address after this scoped lock ends.
  const ParamCheckout configuration(in_data, kBuilderPetalConfiguration);
  const A_long petals = configuration.PopupValue();
  {
    const BuilderGlobalsLock globals(in_data, *handles.get());
    if (!globals.get()) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    slot.petalLayout = &globals.get()->petalLayouts[PetalLayoutIndex(PetalTableOf(*globals.get()), petals)];
  }

  const bool hasPetals = petals > kPetalConfigurationNone && petals <= kPetalConfigurationCount;
  std::optional<ParamCheckout> petalLength, petalDiameter, petalProfile, angle, offset, barrel, brightness;
  if (hasPetals) {
    petalLength.emplace(in_data, kBuilderPetalLength);
    petalDiameter.emplace(in_data, kBuilderPetalDiameter);
    petalProfile.emplace(in_data, kBuilderPetalProfile);
    angle.emplace(in_data, kBuilderPetalAngle);
    offset.emplace(in_data, kBuilderHorizontalOffset);
    barrel.emplace(in_data, kBuilderBarrelRadius);
    brightness.emplace(in_data, kBuilderRelativeBrightness);
    slot.petalProfile =
        KeepExportedCurve(table, slotIndex, ExportedProfile::Petal, petalProfile->ArbitraryValue(), *handles.get());
    slot.petalLength = petalLength->FloatValue();
    slot.petalDiameter = petalDiameter->FloatValue() * 100.0;
    slot.petalBrightnessFalloff = slot.brightnessFalloff;
    slot.petalAngle = angle->AngleValue(suites, true);
    slot.horizontalOffset = offset->FloatValue();
    slot.barrelRadius = barrel->FloatValue();
    const double relative = brightness->FloatValue() * 0.01;
    slot.petalBrightness = relative * relative;
  }

  const ParamCheckout maxSparks(in_data, kBuilderMaxSparks);
  const ParamCheckout dispersion(in_data, kBuilderSparkDispersion);
  const ParamCheckout sparkBrightness(in_data, kBuilderSparkBrightness);
  slot.maxSparks = RoundHalfAwayFromZero(maxSparks.FloatValue());
  slot.sparkDispersion = dispersion.FloatValue() * (std::numbers::pi / 180.0);
  slot.sparkBrightness = sparkBrightness.FloatValue() * 0.01;

  const ParamCheckout colour(in_data, kBuilderFlashColour);
  const ParamCheckout temperature(in_data, kBuilderColourTemperature);
  const ParamCheckout complexity(in_data, kBuilderDisplacementComplexity);
  const ParamCheckout amount(in_data, kBuilderDisplacementAmount);
  slot.colourTemperatureAmount = temperature.FloatValue() * 0.01;
  slot.flashColour = colour.ColorValue(suites);
  slot.baseFrequency = 0.01;
  slot.displacementComplexity = complexity.FloatValue() * 0.01;
  slot.displacementAmount = amount.FloatValue() * 0.04;

  const ParamCheckout randomShape(in_data, kBuilderRandomiseShape);
  const ParamCheckout randomPetals(in_data, kBuilderRandomisePetals);
  const ParamCheckout randomBrightness(in_data, kBuilderRandomiseBrightness);
  // A value that could not be checked out would go out as zero: the design
  // is not exported and the caller gets the error.
  PF_Err err = PF_Err_NONE;
  for (const ParamCheckout* checkout :
       {&mainLength, &mainDiameter, &mainProfile, &falloff, &configuration, &maxSparks, &dispersion,
        &sparkBrightness, &colour, &temperature, &complexity, &amount, &randomShape, &randomPetals,
        &randomBrightness}) {
    KeepFirstError(err, checkout->error());
  }
  for (const auto* checkout : {&petalLength, &petalDiameter, &petalProfile, &angle, &offset, &barrel, &brightness}) {
    if (*checkout) KeepFirstError(err, (*checkout)->error());
  }
  if (err != PF_Err_NONE) return err;
  const double shape = randomShape.FloatValue();
  slot.shapeRandomisationScaled = shape / 750.0;
  slot.shapeRandomisation = shape * 0.01;
  slot.petalRandomisation = randomPetals.FloatValue() * 0.01;
  slot.brightnessRandomisation = randomBrightness.FloatValue() * 0.01;
  slot.shapeRandomisationRaw = shape;
  slot.valid = 1;
  return PF_Err_NONE;
}

}  // namespace vlam
