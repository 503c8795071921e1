#include "platform/forms/Graphemes.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace {

using forms::graphemes::lastLength;
using forms::graphemes::lengthAt;

struct Split {
    const char* name;
    std::vector<QString> characters;
    friend void PrintTo(const Split& s, std::ostream* os) { *os << s.name; }
};

QString u(const char16_t* text) {
    return QString::fromUtf16(text);
}

class WholeCharacters : public ::testing::TestWithParam<Split> {};

// Walking forward from the start and backward from the end of every prefix finds the same
// characters, each as a user sees it.
TEST_P(WholeCharacters, AreFoundFromEitherEnd) {
    const QString text = GetParam().characters.empty() ? QString()
                                                       : QStringList(GetParam().characters.begin(),
                                                                     GetParam().characters.end())
                                                             .join(QString());
    QStringList forward;
    for (qsizetype i = 0; i < text.size(); i += forward.back().size())
        forward << text.mid(i, lengthAt(text, i));
    EXPECT_EQ(forward, QStringList(GetParam().characters.begin(), GetParam().characters.end()));

    qsizetype end = 0;
    for (const QString& character : GetParam().characters) {
        end += character.size();
        EXPECT_EQ(lastLength(QStringView(text).left(end)), character.size()) << end;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeCharacters,
    ::testing::Values(
        Split{"chinese_and_ascii",
              {u(u"中"), u(u"文"), u(u"a"), u(u"，"), u(u"ㄓ"), u(u"ˇ"), u(u"˙")}},
        Split{"combining_marks", {u(u"e\u0301"), u(u"中"), u(u"a\u0308\u0304"), u(u"中\u20DD")}},
        Split{"emoji_sequences",
              {u(u"\U0001F468\u200D\U0001F469\u200D\U0001F467"), u(u"\U0001F44D\U0001F3FD"),
               u(u"\u2764\uFE0F"), u(u"中")}},
        Split{"two_flags", {u(u"\U0001F1F9\U0001F1FC"), u(u"\U0001F1EF\U0001F1F5")}},
        Split{"variation_selectors", {u(u"字\U000E0100"), u(u"中\uFE00"), u(u"文")}},
        // CR and LF stay apart, as every control character does
        Split{"controls_apart", {u(u"a"), u(u"\r"), u(u"\n"), u(u"\t"), u(u"\u0301"), u(u"b")}},
        Split{"hangul", {u(u"\u1100\u1161\u11A8"), u(u"한"), u(u"中")}},
        Split{"surrogates", {u(u"\U00020000"), u(u"\xD800"), u(u"中"), u(u"\xDC00")}},
        Split{"long_run_of_marks", {u(u"中"), QStringLiteral("e") + QString(40, QChar(0x0301))}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
