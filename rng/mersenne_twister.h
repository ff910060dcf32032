// MersenneTwister: the scenes' pseudo-random generator. MT19937 (624 words, offset 397, twist constant
// 0x9908B0DF, the standard tempering) seeded with a linear-congruential fill (multiplier 69069) of the seed
// forced odd, so that a given seed always yields the same sequence. The first draw after seeding regenerates
// the state, and so does every 624th draw after it.
#pragma once

#include <cstdint>

class MersenneTwister {
 public:
  static constexpr int kStateWords = 624;

  explicit MersenneTwister(std::uint32_t seed) { Seed(seed); }

  // Refills the state from the seed; the next draw regenerates it.
  void Seed(std::uint32_t seed);

  // Regenerates all 624 words and returns the tempered new word 0; the following draws return words 1 to 623.
  std::uint32_t Reload();

  // The next output, uniform over 0 to 2^32 - 1.
  std::uint32_t NextInt() {
    if (--wordsLeft < 0) {
      return Reload();
    }
    return Temper(state[nextWord++]);
  }

  // The next output divided by 2^32: in [0, 1), never 1.0.
  double NextReal();

  std::uint32_t state[kStateWords];
  std::int32_t nextWord;   // index into state of the next word to return
  std::int32_t wordsLeft;  // words that can be returned before the state must be regenerated

 private:
  static std::uint32_t Temper(std::uint32_t word) {
    word ^= word >> 11;
    word ^= (word << 7) & 0x9D2C5680u;
    word ^= (word << 15) & 0xEFC60000u;
    word ^= word >> 18;
    return word;
  }
};
