// The phonetic input method on the system's dictionary, through the Input Method Manager's calls.
#include "platform/codepage/Cp950.h"
#include "platform/imm/PhoneticInputMethod.h"
#include "tests/support/ScriptedImm.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using imm::PhoneticInputMethod;

constexpr imm::HKL kIme = PhoneticInputMethod::kPhoneticIme;
constexpr imm::HKL kPlain = PhoneticInputMethod::kPlainKeyboard;
constexpr std::uint32_t kToggle = imm::IME_THOTKEY_IME_NONIME_TOGGLE;
constexpr char kUnwritten = '\xCC';

class PhoneticImeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ime_ = new PhoneticInputMethod(); }
    static void TearDownTestSuite() { delete ime_; }

    static std::int32_t convert(const char16_t* word, void* destination, std::uint32_t length,
                                imm::HKL hkl = kIme,
                                std::uint32_t flag = imm::GCL_REVERSECONVERSION) {
        const QByteArray source = codepage::toAnsi(QStringView(word));
        return ime_->ImmGetConversionListA(hkl, 0, source.constData(), destination, length, flag);
    }

    static PhoneticInputMethod* ime_;
};

PhoneticInputMethod* PhoneticImeTest::ime_ = nullptr;

TEST(PhoneticImeLayouts, HotKeySwitchesOnlyWhenEventsAreNextProcessed) {
    PhoneticInputMethod ime;
    EXPECT_EQ(ime.GetKeyboardLayout(0), kPlain);
    EXPECT_FALSE(ime.ImmIsIME(kPlain));
    EXPECT_TRUE(ime.ImmIsIME(kIme));

    EXPECT_FALSE(ime.ImmSimulateHotKey(0x1234, 0x71)); // another hot key
    EXPECT_FALSE(ime.ImmSimulateHotKey(0, kToggle));   // no window
    EXPECT_TRUE(ime.ImmSimulateHotKey(0x1234, kToggle));
    EXPECT_EQ(ime.GetKeyboardLayout(0), kPlain);
    QCoreApplication::processEvents();
    EXPECT_EQ(ime.GetKeyboardLayout(0), kIme);

    ime.ImmSimulateHotKey(0x1234, kToggle);
    QCoreApplication::processEvents();
    EXPECT_EQ(ime.GetKeyboardLayout(0), kPlain);
}

TEST(PhoneticImeLayouts, SwitchStillPendingWhenTheImeGoesIsDropped) {
    auto ime = std::make_unique<PhoneticInputMethod>();
    ime->ImmSimulateHotKey(0x1234, kToggle);
    ime.reset();
    QCoreApplication::processEvents(); // would reach the destroyed object
}

TEST_F(PhoneticImeTest, OnlyTheImeAnswers) {
    char none[] = "";
    EXPECT_EQ(ime_->ImmEscapeA(kIme, 0, imm::IME_ESC_MAX_KEY, none), 4);
    EXPECT_EQ(ime_->ImmEscapeA(kPlain, 0, imm::IME_ESC_MAX_KEY, none), 0);
    EXPECT_EQ(ime_->ImmEscapeA(kIme, 0, 0x1006, none), 0);
    EXPECT_GT(convert(u"中", nullptr, 0), 0);
    EXPECT_EQ(convert(u"中", nullptr, 0, kPlain), 0);
    EXPECT_EQ(convert(u"中", nullptr, 0, kIme, 1), 0);
}

// A word's readings, most used first; text that is no word of the dictionary gets no list.
TEST_F(PhoneticImeTest, WordsAnswerWithTheirReadings) {
    const auto ansi = [](const char16_t* text) { return codepage::toAnsi(text); };
    const struct {
        const char16_t* word;
        QByteArray expected;
    } rows[] = {
        {u"行人", qxtest::candidateList({ansi(u"ㄒㄧㄥˊ ㄖㄣˊ")})},
        {u"行列", qxtest::candidateList({ansi(u"ㄏㄤˊ ㄌㄧㄝˋ")})},
        {u"一個",
         qxtest::candidateList({ansi(u"ㄧˊ ㄍㄜ˙"), ansi(u"ㄧ ㄍㄜ˙"), ansi(u"ㄧ ㄍㄜˋ")})},
        {u"行字", {}},
        {u"個一", {}},
        {u"ab", {}},
        {u"中華人民共和國萬歲萬萬歲", {}}, // longer than any word
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(QString::fromUtf16(row.word).toStdString());
        QByteArray list(row.expected.size() + 1, kUnwritten);
        EXPECT_EQ(convert(row.word, nullptr, 0), row.expected.size());
        EXPECT_EQ(convert(row.word, list.data(), list.size()), row.expected.size());
        EXPECT_EQ(list.left(row.expected.size()), row.expected);
    }
}

// The size query and a fetch into too small a buffer write nothing; more room changes nothing.
TEST_F(PhoneticImeTest, CandidateListIsLaidOutAsWindowsLaysItOut) {
    const QByteArray expected =
        qxtest::candidateList({codepage::toAnsi(u"ㄒㄧㄥˊ"), codepage::toAnsi(u"ㄏㄤˊ"),
                               codepage::toAnsi(u"ㄒㄧㄥˋ"), codepage::toAnsi(u"ㄏㄤˋ")});
    // The fixed part spelled out: 72 bytes, readings, four of them on one page, at 40, 49, 56, 65.
    EXPECT_EQ(expected.left(40).toHex(), QByteArray("48000000"
                                                    "01000000"
                                                    "04000000"
                                                    "00000000"
                                                    "00000000"
                                                    "04000000"
                                                    "28000000"
                                                    "31000000"
                                                    "38000000"
                                                    "41000000"));
    const QByteArray untouched(expected.size() + 8, kUnwritten);
    QByteArray list = untouched;
    ASSERT_EQ(convert(u"行", list.data(), 0), expected.size());
    EXPECT_EQ(convert(u"行", list.data(), expected.size() - 1), 0);
    EXPECT_EQ(list, untouched);
    ASSERT_EQ(convert(u"行", list.data(), list.size()), expected.size());
    EXPECT_EQ(list, expected + QByteArray(8, kUnwritten));
}

} // namespace
