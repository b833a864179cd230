#pragma once
// The mute controls of the mixers' wave-output source lines: what a
// presentation without sound switches on, and what it switches back.

#include <cstdint>

namespace vnx {

struct MuteControlStates {
  std::uint32_t States = 0;  // bit i: the i-th control found is on
  int Count = 0;             // controls found, at most kMaxMuteControls
};

// Walks every mixer's destination lines that lead to the speakers (target
// undefined, wave output or auxiliary), their source lines that come from
// wave output, and those lines' mute controls, each control once per mixer,
// in the order found and at most kMaxMuteControls in all; returns their
// states. The i-th control is then set from bit i of bits where bit i of
// apply is set. A control whose state cannot be read counts as on. Mixers,
// lines or controls that fail to answer are passed over.
MuteControlStates MixerMuteControls(std::uint32_t bits, std::uint32_t apply);

}  // namespace vnx
