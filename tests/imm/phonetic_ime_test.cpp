// The phonetic input method on the system's dictionary, through the Input Method Manager's calls.
#include "platform/codepage/Cp950.h"
#include "platform/imm/PhoneticInputMethod.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <array>

namespace {

using imm::PhoneticInputMethod;

constexpr imm::HKL kIme = PhoneticInputMethod::kPhoneticIme;
constexpr imm::HKL kPlain = PhoneticInputMethod::kPlainKeyboard;
constexpr char kUnwritten = '\xCC';

std::uint32_t dword(const char* bytes, std::size_t at) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes + at);
    return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) |
           static_cast<std::uint32_t>(p[3]) << 24;
}

class PhoneticImeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ime_ = new PhoneticInputMethod(); }
    static void TearDownTestSuite() { delete ime_; }

    std::int32_t convert(const char16_t* word, void* destination, std::uint32_t length,
                         imm::HKL hkl = kIme, std::uint32_t flag = imm::GCL_REVERSECONVERSION) {
        const QByteArray source = codepage::toAnsi(QStringView(word));
        return ime_->ImmGetConversionListA(hkl, 0, source.constData(), destination, length, flag);
    }

    static PhoneticInputMethod* ime_;
};

PhoneticInputMethod* PhoneticImeTest::ime_ = nullptr;

TEST(PhoneticImeLayouts, ThreadStartsOnThePlainKeyboard) {
    PhoneticInputMethod ime;
    EXPECT_EQ(ime.GetKeyboardLayout(0), kPlain);
    EXPECT_FALSE(ime.ImmIsIME(kPlain));
    EXPECT_TRUE(ime.ImmIsIME(kIme));
}

TEST(PhoneticImeLayouts, HotKeySwitchesWhenEventsAreNextProcessed) {
    PhoneticInputMethod ime;
    EXPECT_TRUE(ime.ImmSimulateHotKey(0x1234, imm::IME_THOTKEY_IME_NONIME_TOGGLE));
    EXPECT_EQ(ime.GetKeyboardLayout(0), kPlain);
    QCoreApplication::processEvents();
    EXPECT_EQ(ime.GetKeyboardLayout(0), kIme);

    EXPECT_TRUE(ime.ImmSimulateHotKey(0x1234, imm::IME_THOTKEY_IME_NONIME_TOGGLE));
    QCoreApplication::processEvents();
    EXPECT_EQ(ime.GetKeyboardLayout(0), kPlain);
}

TEST(PhoneticImeLayouts, OtherHotKeysAndNoWindowSwitchNothing) {
    PhoneticInputMethod ime;
    EXPECT_FALSE(ime.ImmSimulateHotKey(0x1234, 0x71));
    EXPECT_FALSE(ime.ImmSimulateHotKey(0, imm::IME_THOTKEY_IME_NONIME_TOGGLE));
    QCoreApplication::processEvents();
    EXPECT_EQ(ime.GetKeyboardLayout(0), kPlain);
}

TEST(PhoneticImeLayouts, SwitchStillPendingWhenTheImeGoesIsDropped) {
    {
        PhoneticInputMethod ime;
        ime.ImmSimulateHotKey(0x1234, imm::IME_THOTKEY_IME_NONIME_TOGGLE);
    }
    QCoreApplication::processEvents(); // would touch the destroyed object
    SUCCEED();
}

TEST(PhoneticImeLayouts, OnlyTheCallingThreadIsKnown) {
    PhoneticInputMethod ime;
    EXPECT_EQ(ime.GetKeyboardLayout(4242), 0u);
}

TEST_F(PhoneticImeTest, KeyLimitIsFourForTheImeAndZeroOtherwise) {
    char none[] = "";
    EXPECT_EQ(ime_->ImmEscapeA(kIme, 0, imm::IME_ESC_MAX_KEY, none), 4);
    EXPECT_EQ(ime_->ImmEscapeA(kPlain, 0, imm::IME_ESC_MAX_KEY, none), 0);
    EXPECT_EQ(ime_->ImmEscapeA(kIme, 0, 0x1006, none), 0);
}

TEST_F(PhoneticImeTest, SizeQueryWritesNothing) {
    std::array<char, 64> buffer;
    buffer.fill(kUnwritten);
    EXPECT_GT(convert(u"行", buffer.data(), 0), 24);
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), kUnwritten), 64);
}

TEST_F(PhoneticImeTest, FetchIntoTooSmallABufferFailsAndWritesNothing) {
    const std::int32_t size = convert(u"行", nullptr, 0);
    ASSERT_GT(size, 0);
    std::vector<char> buffer(size + 16, kUnwritten);
    EXPECT_EQ(convert(u"行", buffer.data(), size - 1), 0);
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), kUnwritten), size + 16);
}

TEST_F(PhoneticImeTest, CandidateListIsLaidOutAsWindowsLaysItOut) {
    const std::int32_t size = convert(u"行", nullptr, 0);
    std::vector<char> buffer(size + 8, kUnwritten);
    ASSERT_EQ(convert(u"行", buffer.data(), size + 8), size); // more room changes nothing
    const char* list = buffer.data();

    EXPECT_EQ(dword(list, 0), static_cast<std::uint32_t>(size)); // dwSize
    EXPECT_EQ(dword(list, 4), 1u);                               // dwStyle: readings
    ASSERT_EQ(dword(list, 8), 4u);                               // dwCount
    EXPECT_EQ(dword(list, 12), 0u);                              // dwSelection
    EXPECT_EQ(dword(list, 16), 0u);                              // dwPageStart
    EXPECT_EQ(dword(list, 20), 4u);                              // dwPageSize
    QStringList strings;
    std::uint32_t expectedOffset = 24 + 4 * 4;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::uint32_t offset = dword(list, 24 + 4 * k);
        EXPECT_EQ(offset, expectedOffset); // packed, one after the other
        const QByteArray text(list + offset);
        strings << codepage::fromAnsi(text);
        expectedOffset = offset + static_cast<std::uint32_t>(text.size()) + 1;
    }
    EXPECT_EQ(expectedOffset, static_cast<std::uint32_t>(size)); // the last zero ends the list
    EXPECT_EQ(strings, (QStringList{QStringLiteral(u"ㄒㄧㄥˊ"), QStringLiteral(u"ㄏㄤˊ"),
                                    QStringLiteral(u"ㄒㄧㄥˋ"), QStringLiteral(u"ㄏㄤˋ")}));
    EXPECT_EQ(std::count(buffer.begin() + size, buffer.end(), kUnwritten), 8);
}

TEST_F(PhoneticImeTest, NothingButOneCharacterOnTheImeHasAList) {
    EXPECT_EQ(convert(u"中", nullptr, 0, kPlain), 0);
    EXPECT_EQ(convert(u"中", nullptr, 0, kIme, 1), 0);
    EXPECT_EQ(convert(u"中文", nullptr, 0), 0);
    EXPECT_EQ(convert(u"", nullptr, 0), 0);
    EXPECT_EQ(convert(u"A", nullptr, 0), 0);
    EXPECT_EQ(convert(u"。", nullptr, 0), 0);
    EXPECT_EQ(ime_->ImmGetConversionListA(kIme, 0, nullptr, nullptr, 0, 2), 0);
}

TEST_F(PhoneticImeTest, IndexHoldsTheWholeDictionary) {
    EXPECT_GT(ime_->readingIndex().characterCount(), 13000u);
    EXPECT_GT(ime_->buildReport().listedReadings, 26000u);
}

} // namespace
