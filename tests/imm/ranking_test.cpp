#include "platform/imm/ReadingIndex.h"

#include <gtest/gtest.h>

#include <ostream>

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
const Phone xing4 = makePhone(14, 1, 12, 4);

struct RankCase {
    const char* name;
    std::vector<imm::ReadingUsage> given; // in the engine's order
    std::vector<Phone> expected;
};

void PrintTo(const RankCase& c, std::ostream* os) {
    *os << c.name;
}

class Ranking : public ::testing::TestWithParam<RankCase> {};

TEST_P(Ranking, OrdersMostUsedFirst) {
    std::vector<imm::ReadingUsage> readings = GetParam().given;
    imm::rankReadings(readings);
    std::vector<Phone> order;
    for (const auto& r : readings)
        order.push_back(r.phone);
    EXPECT_EQ(order, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, Ranking,
    ::testing::Values(
        RankCase{"HeavierFirst",
                 {{0, hang2, 59746, 0}, {0, xing2, 249323, 0}, {0, xing4, 911, 0}},
                 {xing2, hang2, xing4}},
        RankCase{"TiesKeepTheEngineOrder",
                 {{0, xing4, 5, 0}, {0, hang2, 5, 0}, {0, xing2, 9, 0}},
                 {xing2, xing4, hang2}},
        RankCase{"WithoutFiguresTheEngineOrderStands",
                 {{0, hang2, 0, 0}, {0, xing2, 0, 0}, {0, xing4, 0, 0}},
                 {hang2, xing2, xing4}},
        RankCase{"NeutralToneOfAParticleStaysFirst",
                 {{0, ma3, 430, 113}, {0, ma5, 3005, 0}},
                 {ma5, ma3}},
        RankCase{"NeutralToneYieldsToAFullToneThatBeginsWords",
                 {{0, ge4, 40080, 35743}, {0, ge5, 194017, 0}},
                 {ge4, ge5}},
        RankCase{"NeutralToneOfAnotherSyllableIsNotMoved",
                 {{0, de5, 134912, 0}, {0, di4, 11544, 11000}},
                 {de5, di4}},
        RankCase{"WithoutFiguresNeutralIsNotMoved", {{0, ge5, 0, 0}, {0, ge4, 0, 0}}, {ge5, ge4}},
        RankCase{"NeutralMovesJustBehindTheFullTone",
                 {{0, ge5, 1000, 0}, {0, hang2, 900, 0}, {0, ge4, 800, 500}, {0, xing2, 1, 0}},
                 {hang2, ge4, ge5, xing2}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
