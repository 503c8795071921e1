#include "tests/lookup/ScriptedImm.h"
#include "tools/readings/ReadingsTool.h"

#include "platform/codepage/Cp950.h"
#include "platform/imm/SystemInputMethodManager.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ArgumentsCase {
    const char* name;
    QStringList arguments;
    bool valid;
    bool all;
    bool help;
};

void PrintTo(const ArgumentsCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadingsArguments : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ReadingsArguments, AreParsed) {
    const ArgumentsCase& c = GetParam();
    QString error;
    const auto options = readings::parseArguments(c.arguments, error);
    ASSERT_EQ(options.has_value(), c.valid);
    if (!c.valid) {
        EXPECT_FALSE(error.isEmpty());
        return;
    }
    EXPECT_EQ(options->all, c.all);
    EXPECT_EQ(options->help, c.help);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ReadingsArguments,
    ::testing::Values(ArgumentsCase{"None", {}, true, false, false},
                      ArgumentsCase{"All", {QStringLiteral("--all")}, true, true, false},
                      ArgumentsCase{"Help", {QStringLiteral("--help")}, true, false, true},
                      ArgumentsCase{"ShortHelp", {QStringLiteral("-h")}, true, false, true},
                      ArgumentsCase{
                          "UnknownOption", {QStringLiteral("--first")}, false, false, false},
                      ArgumentsCase{"FileName", {QStringLiteral("text.txt")}, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

class ReadingsListing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ime_ = imm::makeSystemInputMethodManager().release(); }
    static void TearDownTestSuite() { delete ime_; }

    std::string list(QByteArrayView input, bool all = false) {
        std::string out;
        readings::Options options;
        options.all = all;
        error_ = readings::listReadings(input, options, *ime_, pump_,
                                        [&](std::string_view piece) { out += piece; });
        return out;
    }

    static imm::InputMethodManager* ime_;
    readings::ConsolePump pump_;
    std::optional<readings::ListingError> error_;
};

imm::InputMethodManager* ReadingsListing::ime_ = nullptr;

TEST_F(ReadingsListing, OneLinePerCharacterAsTheWindowListsIt) {
    EXPECT_EQ(list("中字 a"), "中 ㄓㄨㄥ\n字 ㄗˋ\n  \na \n");
    EXPECT_FALSE(error_);
}

TEST_F(ReadingsListing, LineBreaksSeparateLinesAndAreNotListed) {
    EXPECT_EQ(list("中\r\n字\n\n的\r"), "中 ㄓㄨㄥ\n字 ㄗˋ\n的 ㄉㄜ˙\n");
}

TEST_F(ReadingsListing, AllListsEveryReadingMostUsedFirst) {
    EXPECT_EQ(list("行字", true), "行 ㄒㄧㄥˊ ㄏㄤˊ ㄒㄧㄥˋ ㄏㄤˋ\n字 ㄗˋ\n");
}

TEST_F(ReadingsListing, CharacterOutsideTheBasicPlaneStaysWhole) {
    EXPECT_EQ(list("\xF0\xA0\x80\x80中"), "\xF0\xA0\x80\x80 \n中 ㄓㄨㄥ\n");
}

TEST_F(ReadingsListing, ByteOrderMarkIsNotACharacter) {
    EXPECT_EQ(list("\xEF\xBB\xBF中"), "中 ㄓㄨㄥ\n");
}

TEST_F(ReadingsListing, LongInputComesOutWhole) {
    const QByteArray input = QByteArray("中").repeated(30000);
    std::string expected;
    for (int i = 0; i < 30000; ++i)
        expected += "中 ㄓㄨㄥ\n";
    EXPECT_TRUE(list(input) == expected); // too long to print on failure
}

struct BadInput {
    const char* name;
    QByteArray bytes;
    std::size_t offset;
};

void PrintTo(const BadInput& c, std::ostream* os) {
    *os << c.name;
}

class ReadingsBadInput : public ReadingsListing, public ::testing::WithParamInterface<BadInput> {};

TEST_P(ReadingsBadInput, IsRefusedWholeWithItsOffset) {
    EXPECT_EQ(list(GetParam().bytes), "");
    ASSERT_TRUE(error_);
    EXPECT_EQ(error_->byteOffset, GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, ReadingsBadInput,
    ::testing::Values(BadInput{"StrayContinuation", QByteArrayLiteral("中\x80"), 3},
                      BadInput{"Overlong", QByteArrayLiteral("a\xC0\x80"), 1},
                      BadInput{"Surrogate", QByteArrayLiteral("\xED\xA0\x80"), 0},
                      BadInput{"BeyondUnicode", QByteArrayLiteral("\xF4\x90\x80\x80"), 0},
                      BadInput{"CutShort", QByteArrayLiteral("中\xE5\xAD"), 3},
                      BadInput{"Latin1", QByteArrayLiteral("caf\xE9"), 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadingsPath, EachCharacterGoesThroughToChineseThenImeQueryComp) {
    qxtest::CallLog log;
    qxtest::ScriptedImm ime(log);
    ime.list = qxtest::candidateList({codepage::toAnsi(u"ㄗˋ")});
    readings::ConsolePump pump;
    std::string out;
    readings::listReadings("字字", {}, ime, pump, [&](std::string_view piece) { out += piece; });
    EXPECT_EQ(out, "字 ㄗˋ\n字 ㄗˋ\n");
    const std::string size = std::to_string(ime.list.size());
    const qxtest::CallLog perCharacter{"GetKeyboardLayout(0)",
                                       "ImmIsIME(4040404)",
                                       "ImmSimulateHotKey(1, 70)",
                                       "GetKeyboardLayout(0)",
                                       "ImmEscapeA(4040404, 0, 1005)",
                                       "ImmGetConversionListA(4040404, 0, 0, 2)",
                                       "ImmGetConversionListA(4040404, 0, " + size + ", 2)"};
    qxtest::CallLog expected = perCharacter;
    expected.insert(expected.end(), perCharacter.begin(), perCharacter.end());
    EXPECT_EQ(log, expected); // the scripted hot key never takes effect: no events reach it
}

#ifdef QX_READINGS_PROGRAM
struct ProgramRun {
    int exitCode;
    QByteArray out, err;
};

ProgramRun
runProgram(const QStringList& arguments, const QByteArray& input,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QX_READINGS_PROGRAM), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(ReadingsProgram, ListsStandardInput) {
    const ProgramRun run = runProgram({}, "中字\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "中 ㄓㄨㄥ\n字 ㄗˋ\n");
    EXPECT_EQ(run.err, "");
}

TEST(ReadingsProgram, RefusesInvalidUtf8WithAMessage) {
    const ProgramRun run = runProgram({}, "中\xFF字");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.contains("not valid UTF-8 (byte 3)")) << run.err.toStdString();
}

TEST(ReadingsProgram, SaysSoWhenNoDictionaryIsInstalled) {
    QTemporaryDir empty;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CHEWING_PATH"), empty.path());
    const ProgramRun run = runProgram({}, "中", environment);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "中 \n");
    EXPECT_TRUE(run.err.contains("no phonetic dictionary")) << run.err.toStdString();
}

TEST(ReadingsProgram, HelpSaysWhatItDoes) {
    const ProgramRun run = runProgram({QStringLiteral("--help")}, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("--all"));
    EXPECT_TRUE(run.out.contains("UTF-8"));
}

TEST(ReadingsProgram, WrongArgumentIsAUsageError) {
    const ProgramRun run = runProgram({QStringLiteral("--first")}, "中");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.contains("--first"));
}
#endif

} // namespace
