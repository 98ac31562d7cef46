// A message box's style bits and answer codes, for whoever asks a question
// and whoever acts on its answer.
#pragma once

#include <cstdint>

namespace koppelo::runtime {

inline constexpr std::int32_t kYesNo = 4;
inline constexpr std::int32_t kInformation = 64;
inline constexpr std::int32_t kYes = 6;
inline constexpr std::int32_t kNo = 7;

}  // namespace koppelo::runtime
