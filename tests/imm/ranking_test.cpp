#include "platform/imm/ReadingIndex.h"

#include <gtest/gtest.h>

namespace {

using imm::zhuyin::makePhone;
using imm::zhuyin::Phone;

const Phone ge4 = makePhone(9, 0, 3, 4); // ㄍㄜˋ
const Phone ge5 = makePhone(9, 0, 3, 1); // ㄍㄜ˙
const Phone ma3 = makePhone(3, 0, 1, 3); // ㄇㄚˇ
const Phone ma5 = makePhone(3, 0, 1, 1); // ㄇㄚ˙
const Phone de5 = makePhone(5, 0, 3, 1); // ㄉㄜ˙
const Phone di4 = makePhone(5, 1, 0, 4); // ㄉㄧˋ
const Phone hang2 = makePhone(11, 0, 11, 2);
const Phone xing2 = makePhone(14, 1, 12, 2);

std::vector<Phone> ranked(std::vector<imm::ReadingUsage> readings) {
    imm::rankReadings(readings);
    std::vector<Phone> order;
    for (const auto& r : readings)
        order.push_back(r.phone);
    return order;
}

// Readings as {character, phone, weight, word-initial weight}, in the engine's order.
TEST(RankingTest, OrdersMostUsedFirst) {
    EXPECT_EQ(ranked({{0, hang2, 5, 0}, {0, ge4, 9, 0}, {0, xing2, 5, 0}}),
              (std::vector<Phone>{ge4, hang2, xing2})); // ties keep the engine's order
    EXPECT_EQ(ranked({{0, ge5, 0, 0}, {0, ge4, 0, 0}}), (std::vector<Phone>{ge5, ge4}));
}

TEST(RankingTest, NeutralToneYieldsOnlyToAFullToneThatBeginsWords) {
    // 嗎: ㄇㄚˇ begins a word too rarely to outrank the particle.
    EXPECT_EQ(ranked({{0, ma3, 430, 113}, {0, ma5, 3005, 0}}), (std::vector<Phone>{ma5, ma3}));
    // 個: ㄍㄜˋ begins words often enough; ㄍㄜ˙ moves just behind it.
    EXPECT_EQ(ranked({{0, ge5, 1000, 0}, {0, hang2, 900, 0}, {0, ge4, 200, 150}, {0, xing2, 1, 0}}),
              (std::vector<Phone>{hang2, ge4, ge5, xing2}));
    // 的: the full tone belongs to another syllable.
    EXPECT_EQ(ranked({{0, de5, 134912, 0}, {0, di4, 11544, 11000}}),
              (std::vector<Phone>{de5, di4}));
}

} // namespace
