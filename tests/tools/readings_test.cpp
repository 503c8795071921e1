#include "tools/readings/ContextReadings.h"
#include "tools/readings/Filter.h"
#include "tools/readings/ReadingsTool.h"

#include "platform/imm/SystemInputMethodManager.h"
#include "platform/phonetic/PhoneticDictionary.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using readings::FilterError;
using readings::Format;

// Input handed to the reader `chunk` bytes at a time, so that lines, CRLF pairs and characters
// straddle reads.
readings::LineReader::Source chunked(const std::string& input, std::size_t chunk) {
    return [input, chunk, at = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t n = std::min({chunk, size, input.size() - at});
        std::memcpy(buffer, input.data() + at, n);
        at += n;
        return static_cast<std::ptrdiff_t>(n);
    };
}

struct FilterRun {
    std::string out;
    std::optional<FilterError> error;
};

FilterRun filter(const std::string& input, const readings::Options& options, std::size_t chunk = 3,
                 std::size_t maxLine = readings::kMaxLineBytes) {
    static const auto ime = imm::makeSystemInputMethodManager();
    readings::ConsolePump pump;
    readings::CharacterReadings source(*ime, pump, options.all);
    const auto format = readings::makeOutputFormat(options.format);
    readings::LineReader reader(chunked(input, chunk), maxLine);
    FilterRun run;
    run.error = readings::runFilter(reader, source, *format, [&](std::string_view piece) {
        run.out += piece;
        return true;
    });
    return run;
}

TEST(ReadingsFilter, AnswersEachLineInEachFormat) {
    const struct {
        const char* name;
        std::string input;
        readings::Options options;
        std::string output;
    } rows[] = {
        {"AsTheWindowLists", "中字 a", {}, "中 ㄓㄨㄥ\n字 ㄗˋ\n  \na \n"},
        {"LineBreaksAreNotListed", "中\r\n字\n\n的\r", {}, "中 ㄓㄨㄥ\n字 ㄗˋ\n的 ㄉㄜ˙\n"},
        {"AllReadings",
         "行長字",
         {.all = true},
         "行 ㄒㄧㄥˊ ㄏㄤˊ ㄒㄧㄥˋ ㄏㄤˋ\n長 ㄔㄤˊ ㄓㄤˇ ㄓㄤˋ\n字 ㄗˋ\n"},
        {"PairStaysWhole", "\xF0\xA0\x80\x80中", {}, "\xF0\xA0\x80\x80 \n中 ㄓㄨㄥ\n"},
        {"ByteOrderMarkIsNoCharacter", "\xEF\xBB\xBF中", {}, "中 ㄓㄨㄥ\n"},
        {"InlineKeepsTheText",
         "中字, ok\n\n的",
         {.format = Format::Inline},
         "中（ㄓㄨㄥ）字（ㄗˋ）, ok\n的（ㄉㄜ˙）\n"},
        {"InlineLineWithoutReadings", "a b\r\n", {.format = Format::Inline}, "a b\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const std::size_t chunk : {std::size_t{1}, std::size_t{4}, std::size_t{1} << 20}) {
            const FilterRun run = filter(row.input, row.options, chunk);
            EXPECT_EQ(run.out, row.output) << "read " << chunk << " bytes at a time";
            EXPECT_FALSE(run.error);
        }
    }
}

TEST(ReadingsFilter, HtmlSetsHanCharactersAsRubyAndEscapesTheRest) {
    using namespace std::string_literals;
    const FilterRun run = filter("中<b>&\"\n\n\xF0\xA0\x80\x80\0x"s, {.format = Format::Html});
    ASSERT_FALSE(run.error);
    EXPECT_TRUE(run.out.starts_with("<!DOCTYPE html>\n<html lang=\"zh-Hant-TW\">\n<head>\n"
                                    "<meta charset=\"utf-8\">"));
    EXPECT_NE(run.out.find("@supports (ruby-position: inter-character)"), std::string::npos);
    const std::size_t body = run.out.find("<body>\n");
    ASSERT_NE(body, std::string::npos);
    // The second line is empty: no paragraph. U+20000 is Han without a reading: ruby all the same.
    EXPECT_EQ(run.out.substr(body), "<body>\n"
                                    "<p><ruby>中<rt>ㄓㄨㄥ</rt></ruby>&lt;b&gt;&amp;&quot;</p>\n"
                                    "<p><ruby>\xF0\xA0\x80\x80<rt></rt></ruby>\xEF\xBF\xBDx</p>\n"
                                    "</body>\n</html>\n");
}

TEST(ReadingsFilter, StopsAtTheFirstBadLineAfterAnsweringTheOnesBefore) {
    const struct {
        const char* name;
        std::string input;
        Format format;
        std::string output;
        FilterError::Kind kind;
        std::size_t byte;
    } rows[] = {
        {"StrayContinuation", "中\n字\x80", Format::Lines, "中 ㄓㄨㄥ\n", FilterError::NotUtf8, 7},
        {"Surrogate", "\xED\xA0\x80", Format::Lines, "", FilterError::NotUtf8, 0},
        {"CutShortAtTheEnd", "中\r\n中\xE5\xAD", Format::Inline, "中（ㄓㄨㄥ）\n",
         FilterError::NotUtf8, 8},
        {"OffsetCountsTheByteOrderMark", "\xEF\xBB\xBF\xFF", Format::Lines, "",
         FilterError::NotUtf8, 3},
        {"PageIsClosedAllTheSame", "\xFF", Format::Html, "</body>\n</html>\n", FilterError::NotUtf8,
         0},
        {"TooLong", "中\n0123456789abcdef\n", Format::Lines, "中 ㄓㄨㄥ\n",
         FilterError::LineTooLong, 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FilterRun run = filter(row.input, {.format = row.format}, 3, 8);
        EXPECT_TRUE(run.out.ends_with(row.output)) << run.out;
        ASSERT_TRUE(run.error);
        EXPECT_EQ(run.error->kind, row.kind);
        EXPECT_EQ(run.error->byteOffset, row.byte);
    }
}

TEST(ReadingsFilter, AMillionCharacterLineWithoutBreak) {
    std::string input;
    for (int i = 0; i < 1'000'000; ++i)
        input += "字";
    const FilterRun run = filter(input, {.format = Format::Inline}, 1 << 16);
    ASSERT_FALSE(run.error);
    EXPECT_EQ(run.out.size(), 1'000'000 * std::strlen("字（ㄗˋ）") + 1);
}

// The character `target` of each sentence takes the reading of the word it stands in; where the
// same character stands in several words, each takes its own.
TEST(ReadingsInContext, EachCharacterTakesItsWordsReading) {
    const struct {
        const char* sentence;
        const char* target;
        const char* reading;
    } rows[] = {
        {"路上的行人很多。", "行", "ㄒㄧㄥˊ"},
        {"學生排成整齊的行列。", "行", "ㄏㄤˊ"},
        {"箱子的重量", "重", "ㄓㄨㄥˋ"},
        {"不要重複同樣的錯誤", "重", "ㄔㄨㄥˊ"},
        {"弟弟很調皮", "調", "ㄊㄧㄠˊ"},
        {"公司要調動人事", "調", "ㄉㄧㄠˋ"},
        {"繩子的長短", "長", "ㄔㄤˊ"},
        {"向長輩拜年", "長", "ㄓㄤˇ"},
        {"他非常得意", "得", "ㄉㄜˊ"},
        {"他跑得快極了", "得", "ㄉㄜ˙"},
        {"她會演奏樂器", "樂", "ㄩㄝˋ"},
        {"週末的娛樂", "樂", "ㄌㄜˋ"},
        {"我們還有時間", "還", "ㄏㄞˊ"},
        {"借來的書要歸還", "還", "ㄏㄨㄢˊ"},
        {"寶寶睡著了", "著", "ㄓㄠˊ"},
        {"他一直看著窗外", "著", "ㄓㄜ˙"},
        {"教授的著作很多", "著", "ㄓㄨˋ"},
        {"背誦這首詩", "背", "ㄅㄟˋ"},
        {"他背負著期望", "背", "ㄅㄟ"},
        {"城鄉的差距", "差", "ㄔㄚ"},
        {"輕鬆的差事", "差", "ㄔㄞ"},
        {"電影很好看", "好", "ㄏㄠˇ"},
        {"每個人的喜好", "好", "ㄏㄠˋ"},
        {"她在鄉下教書", "教", "ㄐㄧㄠ"},
        {"一個人", "一", "ㄧ"},            // its own tone, as schoolbooks write it
        {"的確", "的", "ㄉㄧˊ"},           // a word at the very start and end
        {"確", "確", "ㄑㄩㄝˋ"},           // a character in no word: its first reading
        {"你還記得我嗎", "得", "ㄉㄜ˙"},   // a reviewed word's reading the list lacks
        {"從事教學工作", "教", "ㄐㄧㄠˋ"}, // a reviewed word's reading the list has second
        {"我得走了", "得", "ㄉㄟˇ"},       // rules of grammar
        {"這條河很長", "長", "ㄔㄤˊ"},
        {"你數一數", "數", "ㄕㄨˇ"},
    };
    const auto ime = imm::makeSystemInputMethodManager();
    readings::ConsolePump pump;
    const phonetic::PhraseTreeFiles files(phonetic::systemDictionaryFolders().usage);
    const auto words = phonetic::PhraseReadings::build(files.tree(), files.text());
    ASSERT_FALSE(words.empty());
    readings::ContextReadings inContext(words, *ime, pump);
    readings::AnnotatedLine line;
    for (const auto& row : rows) {
        inContext.annotate(row.sentence, line);
        const auto& characters = line.characters();
        const auto target = std::find_if(characters.begin(), characters.end(),
                                         [&](auto& c) { return line.textOf(c) == row.target; });
        ASSERT_NE(target, characters.end()) << row.sentence;
        EXPECT_EQ(line.readingOf(*target), row.reading) << row.sentence;
    }
}

TEST(ReadingsArguments, RefusesWhatMeansNothing) {
    const struct {
        QStringList arguments;
        bool accepted;
    } rows[] = {
        {{"--context", "--format=html"}, true},
        {{"--format=inline"}, true},
        {{"--all"}, true},
        {{"--all", "--context"}, false},
        {{"--all", "--format=html"}, false},
        {{"--format=xml"}, false},
        {{"--first"}, false},
    };
    for (const auto& row : rows) {
        QString error;
        EXPECT_EQ(readings::parseArguments(row.arguments, error).has_value(), row.accepted)
            << row.arguments.join(' ').toStdString();
    }
}

struct ProgramRun {
    int exitCode;
    QByteArray out, err;
};

ProgramRun runProgram(const QStringList& arguments, const QByteArray& input,
                      const QString& dictionary = {}) {
    QProcess process;
    if (!dictionary.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CHEWING_PATH"), dictionary);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral(QX_READINGS_PROGRAM), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(ReadingsProgram, ExitsAndSpeaksAsDocumented) {
    const ProgramRun good = runProgram({}, "中字\n");
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_EQ(good.out, "中 ㄓㄨㄥ\n字 ㄗˋ\n");
    EXPECT_EQ(good.err, "");

    const ProgramRun bad = runProgram({}, "中\n\xFF字");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "中 ㄓㄨㄥ\n");
    EXPECT_TRUE(bad.err.contains("not valid UTF-8 (byte 4)")) << bad.err.toStdString();

    EXPECT_EQ(runProgram({QStringLiteral("--first")}, "中").exitCode, 2);
    const ProgramRun context = runProgram(
        {QStringLiteral("--context"), QStringLiteral("--format=inline")}, "行列\n\n行人");
    EXPECT_EQ(context.out, "行列（ㄏㄤˊ ㄌㄧㄝˋ）\n行人（ㄒㄧㄥˊ ㄖㄣˊ）\n");
    const ProgramRun version = runProgram({QStringLiteral("--version")}, "");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("quilldex2-readings 1.")) << version.out.toStdString();
}

// A caller that waits for each answer before it sends the next line gets it.
TEST(ReadingsProgram, AnswersEachLineWhileTheInputIsStillOpen) {
    QProcess process;
    process.start(QStringLiteral(QX_READINGS_PROGRAM), {QStringLiteral("--format=inline")});
    ASSERT_TRUE(process.waitForStarted());
    for (const auto& [line, answer] :
         {std::pair{"中\n", "中（ㄓㄨㄥ）\n"}, {"字\n", "字（ㄗˋ）\n"}}) {
        process.write(line);
        QByteArray got;
        while (got.size() < qsizetype(std::strlen(answer)) && process.waitForReadyRead(10000))
            got += process.readAllStandardOutput();
        EXPECT_EQ(got, answer);
    }
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
}

} // namespace
