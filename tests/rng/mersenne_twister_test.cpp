#include "rng/mersenne_twister.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kSceneSeed = 4357;

std::vector<std::uint32_t> Draw(MersenneTwister& generator, int count) {
  std::vector<std::uint32_t> values;
  for (int i = 0; i < count; ++i) {
    values.push_back(generator.NextInt());
  }
  return values;
}

// The textbook MT19937 recurrence with wrapping indices, to check the three-run regeneration against.
void ReferenceRegenerate(std::uint32_t (&state)[624]) {
  for (int k = 0; k < 624; ++k) {
    const std::uint32_t y = (state[k] & 0x80000000u) | (state[(k + 1) % 624] & 0x7FFFFFFFu);
    state[k] = state[(k + 397) % 624] ^ (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u);
  }
}

TEST(MersenneTwister, FirstDrawsAfterTheScenesSeed) {
  MersenneTwister generator(kSceneSeed);
  EXPECT_EQ(Draw(generator, 5),
            (std::vector<std::uint32_t>{3510405877u, 4290933890u, 2191955339u, 564929546u, 152112058u}));
}

TEST(MersenneTwister, DrawsAcrossTheFirstRegeneration) {
  MersenneTwister generator(kSceneSeed);
  const std::vector<std::uint32_t> values = Draw(generator, 626);
  EXPECT_EQ(values[623], 730882493u);  // draw 624
  EXPECT_EQ(values[624], 2222118351u);
  EXPECT_EQ(values[625], 4107301035u);
}

TEST(MersenneTwister, SeedsDifferingOnlyInTheLowBitGiveTheSameSequence) {
  MersenneTwister even(4356);
  MersenneTwister odd(kSceneSeed);
  EXPECT_EQ(Draw(even, 1300), Draw(odd, 1300));
}

TEST(MersenneTwister, SeedingFillsTheStateWithMultiplier69069) {
  MersenneTwister generator(0);
  EXPECT_EQ(generator.state[0], 1u);
  EXPECT_EQ(generator.state[1], 69069u);
  EXPECT_EQ(generator.state[2], 69069u * 69069u);  // wraps modulo 2^32
  EXPECT_EQ(generator.wordsLeft, 0);
}

TEST(MersenneTwister, ReseedingRestartsTheSequence) {
  MersenneTwister generator(kSceneSeed);
  const std::vector<std::uint32_t> first = Draw(generator, 700);
  generator.Seed(kSceneSeed);
  EXPECT_EQ(Draw(generator, 700), first);
}

// Draws 1, 625 and 1249 regenerate; wordsLeft counts down from 623 to 0 in between.
TEST(MersenneTwister, RegeneratesOnceEvery624Draws) {
  MersenneTwister generator(kSceneSeed);
  std::vector<int> regenerations;
  for (int draw = 1; draw <= 1300; ++draw) {
    generator.NextInt();
    if (generator.wordsLeft == 623) {
      regenerations.push_back(draw);
      EXPECT_EQ(generator.nextWord, 1);
    }
    ASSERT_GE(generator.wordsLeft, 0);
  }
  EXPECT_EQ(regenerations, (std::vector<int>{1, 625, 1249}));
}

TEST(MersenneTwister, RegenerationMatchesTheTextbookRecurrence) {
  MersenneTwister generator(12345);
  std::uint32_t expected[624];
  for (int k = 0; k < 624; ++k) {
    expected[k] = generator.state[k];
  }
  for (int round = 0; round < 3; ++round) {
    ReferenceRegenerate(expected);
    generator.Reload();
    for (int k = 0; k < 624; ++k) {
      ASSERT_EQ(generator.state[k], expected[k]) << "round " << round << ", word " << k;
    }
  }
}

TEST(MersenneTwister, NextRealIsTheNextIntScaledBy2ToTheMinus32) {
  MersenneTwister generator(kSceneSeed);
  const double first = generator.NextReal();
  EXPECT_EQ(first, 3510405877.0 / 4294967296.0);
  EXPECT_NEAR(first, 0.81733006, 1e-8);

  MersenneTwister reals(99);
  MersenneTwister ints(99);
  for (int i = 0; i < 2000; ++i) {
    EXPECT_EQ(reals.NextReal(), static_cast<double>(ints.NextInt()) / 4294967296.0);
  }
}

// The state word whose tempered value is `output`: the tempering steps undone in reverse order.
std::uint32_t Untemper(std::uint32_t output) {
  std::uint32_t word = output ^ (output >> 18);
  word ^= (word << 15) & 0xEFC60000u;
  std::uint32_t beforeShift7 = word;
  for (int i = 0; i < 4; ++i) {
    beforeShift7 = word ^ ((beforeShift7 << 7) & 0x9D2C5680u);
  }
  std::uint32_t beforeShift11 = beforeShift7;
  for (int i = 0; i < 2; ++i) {
    beforeShift11 = beforeShift7 ^ (beforeShift11 >> 11);
  }
  return beforeShift11;
}

TEST(MersenneTwister, NextRealStaysBelowOneForTheLargestOutput) {
  MersenneTwister generator(1);
  generator.NextInt();  // regenerate: the next draws come from state[1] on
  generator.state[generator.nextWord] = Untemper(0xFFFFFFFFu);

  MersenneTwister copy = generator;
  ASSERT_EQ(copy.NextInt(), 0xFFFFFFFFu);  // the planted word really is the largest output
  const double largest = generator.NextReal();
  EXPECT_LT(largest, 1.0);
  EXPECT_EQ(largest, 4294967295.0 / 4294967296.0);
}

}  // namespace
