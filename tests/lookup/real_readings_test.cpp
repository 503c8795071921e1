// The lookup on the real phonetic input method and the system's dictionary.
#include "lookup/ReadingLookup.h"
#include "platform/codepage/Cp950.h"
#include "platform/imm/SystemInputMethodManager.h"
#include "platform/phonetic/Zhuyin.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

class EventLoopPump final : public lookup::MessagePump {
public:
    std::optional<imm::HWND> activeFormWindow() const override { return 0x1234; }
    void processPendingMessages() override { QCoreApplication::processEvents(); }
};

class RealReadingsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ime_ = imm::makeSystemInputMethodManager().release(); }
    static void TearDownTestSuite() { delete ime_; }

    QString reading(const QString& character, int nth = 1) {
        const imm::HKL layout = lookup::toChinese(*ime_, pump_); // switches on the first call
        return lookup::ImeQueryComp(*ime_, layout, character, nth);
    }

    static imm::InputMethodManager* ime_;
    EventLoopPump pump_;
};

imm::InputMethodManager* RealReadingsTest::ime_ = nullptr;

// Common characters, many with several readings: the reading a Taiwanese reader expects first,
// the Taiwanese standard where it differs from the mainland's (期 ㄑㄧˊ, 垃 ㄌㄜˋ, 轍 ㄔㄜˋ), the
// full tone of a word often left unstressed (個 ㄍㄜˋ), the neutral tone of particles (嗎 ㄇㄚ˙,
// 呢 ㄋㄜ˙), readings that the reviewed reading order puts first (長 ㄔㄤˊ, 應 ㄧㄥ).
TEST_F(RealReadingsTest, FirstReadingsOfCommonCharacters) {
    const QString table = QStringLiteral(
        u"中ㄓㄨㄥ 字ㄗˋ 的ㄉㄜ˙ 行ㄒㄧㄥˊ 和ㄏㄜˊ 了ㄌㄜ˙ 重ㄓㄨㄥˋ "
        u"一ㄧ 是ㄕˋ 不ㄅㄨˋ 人ㄖㄣˊ 我ㄨㄛˇ 在ㄗㄞˋ 有ㄧㄡˇ 他ㄊㄚ 這ㄓㄜˋ 個ㄍㄜˋ 來ㄌㄞˊ "
        u"上ㄕㄤˋ 大ㄉㄚˋ 為ㄨㄟˊ 國ㄍㄨㄛˊ 地ㄉㄧˋ 到ㄉㄠˋ 說ㄕㄨㄛ 要ㄧㄠˋ 會ㄏㄨㄟˋ 可ㄎㄜˇ "
        u"也ㄧㄝˇ 子ㄗˇ 那ㄋㄚˋ 得ㄉㄜˊ 下ㄒㄧㄚˋ 過ㄍㄨㄛˋ 發ㄈㄚ 家ㄐㄧㄚ 種ㄓㄨㄥˇ 多ㄉㄨㄛ "
        u"麼ㄇㄜ˙ 去ㄑㄩˋ 學ㄒㄩㄝˊ 都ㄉㄡ 當ㄉㄤ 沒ㄇㄟˊ 看ㄎㄢˋ 分ㄈㄣ 還ㄏㄞˊ 好ㄏㄠˇ "
        u"其ㄑㄧˊ 些ㄒㄧㄝ 樣ㄧㄤˋ 只ㄓˇ 從ㄘㄨㄥˊ 實ㄕˊ 與ㄩˇ 把ㄅㄚˇ 將ㄐㄧㄤ 兩ㄌㄧㄤˇ "
        u"間ㄐㄧㄢ 頭ㄊㄡˊ 相ㄒㄧㄤ 見ㄐㄧㄢˋ 被ㄅㄟˋ 西ㄒㄧ 合ㄏㄜˊ 給ㄍㄟˇ 教ㄐㄧㄠˋ 兒ㄦˊ "
        u"數ㄕㄨˋ 少ㄕㄠˇ 便ㄅㄧㄢˋ 覺ㄐㄩㄝˊ 傳ㄔㄨㄢˊ 角ㄐㄧㄠˇ 差ㄔㄚ 曾ㄘㄥˊ 難ㄋㄢˊ 藏ㄘㄤˊ "
        u"乾ㄍㄢ 背ㄅㄟˋ 薄ㄅㄛˊ 降ㄐㄧㄤˋ 省ㄕㄥˇ 空ㄎㄨㄥ 場ㄔㄤˇ 參ㄘㄢ 率ㄌㄩˋ 華ㄏㄨㄚˊ "
        u"嗎ㄇㄚ˙ 吃ㄔ 喝ㄏㄜ 車ㄔㄜ 女ㄋㄩˇ 綠ㄌㄩˋ 誰ㄕㄟˊ 哪ㄋㄚˇ 色ㄙㄜˋ 期ㄑㄧˊ 企ㄑㄧˋ "
        u"微ㄨㄟˊ 危ㄨㄟˊ 質ㄓˊ 識ㄕˋ 垃ㄌㄜˋ 圾ㄙㄜˋ 播ㄅㄛˋ 熱ㄖㄜˋ 戲ㄒㄧˋ 環ㄏㄨㄢˊ "
        u"查ㄔㄚˊ 單ㄉㄢ 乘ㄔㄥˊ 載ㄗㄞˋ 模ㄇㄛˊ 似ㄙˋ "
        u"長ㄔㄤˊ 應ㄧㄥ 假ㄐㄧㄚˇ 呢ㄋㄜ˙ 俄ㄜˊ 臂ㄅㄧˋ 巫ㄨ 伐ㄈㄚˊ 夯ㄏㄤ 柘ㄓㄜˋ 轍ㄔㄜˋ "
        u"砠ㄐㄩ "
        u"姊ㄐㄧㄝˇ 啊ㄚ˙ 啦ㄌㄚ˙ 呀ㄧㄚ˙ 囉ㄌㄨㄛ 喲ㄧㄛ 哦ㄛˊ 播ㄅㄛˋ 液ㄧˋ 啐ㄘㄨㄟˋ 胠ㄑㄩ");
    for (const QString& entry : table.split(QLatin1Char(' ')))
        EXPECT_EQ(reading(entry.first(1)), entry.mid(1)) << entry.toStdString();
}

// Every reading of every Big5 character, level 1 (A440-C67E) and level 2 (C940-F9D5), is a
// well-formed syllable: the dictionary's malformed ones (啐 ㄑ˙, 胠 ㄑ) are never listed.
TEST_F(RealReadingsTest, EveryBig5ReadingIsAWellFormedSyllable) {
    int characters = 0, readings = 0;
    for (int code = 0xA440; code <= 0xF9D5; ++code) {
        const int trail = code & 0xFF;
        if ((code > 0xC67E && code < 0xC940) || trail < 0x40 || (trail > 0x7E && trail < 0xA1) ||
            trail == 0xFF)
            continue;
        const auto c = codepage::characterOf(static_cast<std::uint16_t>(code));
        ASSERT_TRUE(c) << std::hex << code;
        ++characters;
        const QString character = QString::fromUcs4(&*c, 1);
        for (int nth = 1;; ++nth) {
            const QString r = reading(character, nth);
            if (r.isEmpty())
                break;
            ++readings;
            const auto phone = phonetic::zhuyin::fromText(r);
            EXPECT_TRUE(phone && phonetic::zhuyin::isWellFormed(*phone))
                << (character + QLatin1Char(' ') + r).toStdString();
        }
    }
    EXPECT_EQ(characters, 13053);
    EXPECT_GT(readings, 16000);
}

} // namespace
