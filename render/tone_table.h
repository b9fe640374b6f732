// The tone curve of the "Normalised" compositing mode: linear up to its knee,
// logarithmic beyond, reaching 1.0 shortly before the end of its range.
#pragma once

namespace vlam {

inline constexpr double kToneRange = 4.0;
inline constexpr double kToneKnee = 0.25;

// Fills n entries; entry i stands for the input i x range / n.
void BuildToneTable(float *table, int n);

}  // namespace vlam
