#include "rng/mersenne_twister.h"

namespace {

constexpr int kShift = 397;  // distance from a word to the partner it is XORed with
constexpr std::uint32_t kTwist = 0x9908B0DFu;
constexpr std::uint32_t kUpperBit = 0x80000000u;
constexpr std::uint32_t kLowerBits = 0x7FFFFFFFu;

// The MT19937 step for one word: its top bit joined with the successor's low 31 bits, shifted and twisted,
// XORed into the partner word.
std::uint32_t Twist(std::uint32_t partner, std::uint32_t word, std::uint32_t successor) {
  const std::uint32_t joined = (word & kUpperBit) | (successor & kLowerBits);
  return partner ^ (joined >> 1) ^ ((successor & 1u) ? kTwist : 0u);
}

}  // namespace

void MersenneTwister::Seed(std::uint32_t seed) {
  std::uint32_t x = seed | 1u;
  for (std::uint32_t& word : state) {
    word = x;
    x *= 69069u;  // unsigned: wraps modulo 2^32
  }
  nextWord = 0;
  wordsLeft = 0;
}

std::uint32_t MersenneTwister::Reload() {
  constexpr int kLast = kStateWords - 1;
  constexpr int kFirstRunEnd = kStateWords - kShift;  // 227: words whose partner still holds an old value
  // Three runs so that no index wraps inside a loop.
  for (int k = 0; k < kFirstRunEnd; ++k) {
    state[k] = Twist(state[k + kShift], state[k], state[k + 1]);
  }
  for (int k = kFirstRunEnd; k < kLast; ++k) {
    state[k] = Twist(state[k - kFirstRunEnd], state[k], state[k + 1]);
  }
  state[kLast] = Twist(state[kShift - 1], state[kLast], state[0]);

  nextWord = 1;
  wordsLeft = kLast;
  return Temper(state[0]);
}

double MersenneTwister::NextReal() {
  constexpr double kTwoToMinus32 = 1.0 / 4294967296.0;
  return static_cast<double>(NextInt()) * kTwoToMinus32;
}
