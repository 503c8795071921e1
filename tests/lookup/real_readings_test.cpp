// The lookup on the real phonetic input method and the system's dictionary.
#include "lookup/ReadingLookup.h"
#include "platform/imm/SystemInputMethodManager.h"

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
        const imm::HKL layout = lookup::toChinese(*ime_, pump_);
        return lookup::ImeQueryComp(*ime_, layout, character, nth);
    }

    static imm::InputMethodManager* ime_;
    EventLoopPump pump_;
};

imm::InputMethodManager* RealReadingsTest::ime_ = nullptr;

struct Expected {
    const char16_t* character;
    const char16_t* reading;
};

// Characters whose Taiwanese reading is beyond doubt.
TEST_F(RealReadingsTest, FirstReadingsBeyondDoubt) {
    const Expected cases[] = {{u"中", u"ㄓㄨㄥ"},  {u"字", u"ㄗˋ"},   {u"的", u"ㄉㄜ˙"},
                              {u"行", u"ㄒㄧㄥˊ"}, {u"和", u"ㄏㄜˊ"}, {u"了", u"ㄌㄜ˙"},
                              {u"重", u"ㄓㄨㄥˋ"}};
    for (const Expected& e : cases)
        EXPECT_EQ(reading(QString::fromUtf16(e.character)), QString::fromUtf16(e.reading))
            << QString::fromUtf16(e.character).toStdString();
}

// Common characters, many of them with several readings, where a Taiwanese reader expects one
// reading first: the frequent word-level reading, the Taiwanese standard where it differs from
// the mainland's (期 ㄑㄧˊ, 企 ㄑㄧˋ, 垃圾 ㄌㄜˋ ㄙㄜˋ), the full tone of a word that is often
// unstressed (個 ㄍㄜˋ), and the neutral tone of particles (嗎 ㄇㄚ˙).
TEST_F(RealReadingsTest, FirstReadingsOfCommonCharacters) {
    const Expected cases[] = {
        {u"一", u"ㄧ"},      {u"是", u"ㄕˋ"},     {u"不", u"ㄅㄨˋ"},   {u"人", u"ㄖㄣˊ"},
        {u"我", u"ㄨㄛˇ"},   {u"在", u"ㄗㄞˋ"},   {u"有", u"ㄧㄡˇ"},   {u"他", u"ㄊㄚ"},
        {u"這", u"ㄓㄜˋ"},   {u"個", u"ㄍㄜˋ"},   {u"來", u"ㄌㄞˊ"},   {u"上", u"ㄕㄤˋ"},
        {u"大", u"ㄉㄚˋ"},   {u"為", u"ㄨㄟˊ"},   {u"國", u"ㄍㄨㄛˊ"}, {u"地", u"ㄉㄧˋ"},
        {u"到", u"ㄉㄠˋ"},   {u"說", u"ㄕㄨㄛ"},  {u"要", u"ㄧㄠˋ"},   {u"會", u"ㄏㄨㄟˋ"},
        {u"可", u"ㄎㄜˇ"},   {u"也", u"ㄧㄝˇ"},   {u"子", u"ㄗˇ"},     {u"那", u"ㄋㄚˋ"},
        {u"得", u"ㄉㄜˊ"},   {u"下", u"ㄒㄧㄚˋ"}, {u"過", u"ㄍㄨㄛˋ"}, {u"發", u"ㄈㄚ"},
        {u"家", u"ㄐㄧㄚ"},  {u"種", u"ㄓㄨㄥˇ"}, {u"多", u"ㄉㄨㄛ"},  {u"麼", u"ㄇㄜ˙"},
        {u"去", u"ㄑㄩˋ"},   {u"學", u"ㄒㄩㄝˊ"}, {u"都", u"ㄉㄡ"},    {u"當", u"ㄉㄤ"},
        {u"沒", u"ㄇㄟˊ"},   {u"看", u"ㄎㄢˋ"},   {u"分", u"ㄈㄣ"},    {u"還", u"ㄏㄞˊ"},
        {u"好", u"ㄏㄠˇ"},   {u"其", u"ㄑㄧˊ"},   {u"些", u"ㄒㄧㄝ"},  {u"樣", u"ㄧㄤˋ"},
        {u"只", u"ㄓˇ"},     {u"從", u"ㄘㄨㄥˊ"}, {u"實", u"ㄕˊ"},     {u"與", u"ㄩˇ"},
        {u"把", u"ㄅㄚˇ"},   {u"將", u"ㄐㄧㄤ"},  {u"兩", u"ㄌㄧㄤˇ"}, {u"間", u"ㄐㄧㄢ"},
        {u"頭", u"ㄊㄡˊ"},   {u"相", u"ㄒㄧㄤ"},  {u"見", u"ㄐㄧㄢˋ"}, {u"被", u"ㄅㄟˋ"},
        {u"西", u"ㄒㄧ"},    {u"合", u"ㄏㄜˊ"},   {u"給", u"ㄍㄟˇ"},   {u"教", u"ㄐㄧㄠˋ"},
        {u"兒", u"ㄦˊ"},     {u"數", u"ㄕㄨˋ"},   {u"少", u"ㄕㄠˇ"},   {u"便", u"ㄅㄧㄢˋ"},
        {u"覺", u"ㄐㄩㄝˊ"}, {u"傳", u"ㄔㄨㄢˊ"}, {u"角", u"ㄐㄧㄠˇ"}, {u"差", u"ㄔㄚ"},
        {u"曾", u"ㄘㄥˊ"},   {u"難", u"ㄋㄢˊ"},   {u"藏", u"ㄘㄤˊ"},   {u"乾", u"ㄍㄢ"},
        {u"背", u"ㄅㄟˋ"},   {u"薄", u"ㄅㄛˊ"},   {u"降", u"ㄐㄧㄤˋ"}, {u"省", u"ㄕㄥˇ"},
        {u"空", u"ㄎㄨㄥ"},  {u"場", u"ㄔㄤˇ"},   {u"參", u"ㄘㄢ"},    {u"率", u"ㄌㄩˋ"},
        {u"華", u"ㄏㄨㄚˊ"}, {u"嗎", u"ㄇㄚ˙"},   {u"吃", u"ㄔ"},      {u"喝", u"ㄏㄜ"},
        {u"車", u"ㄔㄜ"},    {u"女", u"ㄋㄩˇ"},   {u"綠", u"ㄌㄩˋ"},   {u"誰", u"ㄕㄟˊ"},
        {u"哪", u"ㄋㄚˇ"},   {u"色", u"ㄙㄜˋ"},   {u"期", u"ㄑㄧˊ"},   {u"企", u"ㄑㄧˋ"},
        {u"微", u"ㄨㄟˊ"},   {u"危", u"ㄨㄟˊ"},   {u"質", u"ㄓˊ"},     {u"識", u"ㄕˋ"},
        {u"垃", u"ㄌㄜˋ"},   {u"圾", u"ㄙㄜˋ"},   {u"播", u"ㄅㄛˋ"},   {u"熱", u"ㄖㄜˋ"},
        {u"戲", u"ㄒㄧˋ"},   {u"環", u"ㄏㄨㄢˊ"}, {u"查", u"ㄔㄚˊ"},   {u"單", u"ㄉㄢ"},
        {u"乘", u"ㄔㄥˊ"},   {u"載", u"ㄗㄞˋ"},   {u"模", u"ㄇㄛˊ"},   {u"似", u"ㄙˋ"},
    };
    for (const Expected& e : cases)
        EXPECT_EQ(reading(QString::fromUtf16(e.character)), QString::fromUtf16(e.reading))
            << QString::fromUtf16(e.character).toStdString();
}

TEST_F(RealReadingsTest, PolyphoneListsEveryReadingMostUsedFirst) {
    QStringList readings;
    for (int nth = 1; nth <= 5; ++nth)
        readings << reading(QStringLiteral(u"行"), nth);
    EXPECT_EQ(readings,
              (QStringList{QStringLiteral(u"ㄒㄧㄥˊ"), QStringLiteral(u"ㄏㄤˊ"),
                           QStringLiteral(u"ㄒㄧㄥˋ"), QStringLiteral(u"ㄏㄤˋ"), QString()}));
}

TEST_F(RealReadingsTest, CharactersWithoutReadingGiveNothing) {
    for (const char16_t* text : {u"A", u" ", u"。", u"가", u"\U0001F600", u""})
        EXPECT_EQ(reading(QString::fromUtf16(text)), QString())
            << QString::fromUtf16(text).toStdString();
}

TEST_F(RealReadingsTest, PlainKeyboardHasNoReadings) {
    EXPECT_EQ(lookup::ImeQueryComp(*ime_, 0x04040404, QStringLiteral(u"中")), QString());
}

} // namespace
