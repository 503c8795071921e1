#include "tools/readings/ReadingsTool.h"

#include "platform/imm/SystemInputMethodManager.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ReadingsListing, ListsEachCharacterOnItsOwnLine) {
    const struct {
        const char* name;
        QByteArray input;
        bool all;
        std::string output;
        std::optional<std::size_t> badByte; // the whole input refused
    } rows[] = {
        {"AsTheWindowLists", "中字 a", false, "中 ㄓㄨㄥ\n字 ㄗˋ\n  \na \n", {}},
        {"LineBreaksAreNotListed", "中\r\n字\n\n的\r", false, "中 ㄓㄨㄥ\n字 ㄗˋ\n的 ㄉㄜ˙\n", {}},
        {"AllReadings", "行字", true, "行 ㄒㄧㄥˊ ㄏㄤˊ ㄒㄧㄥˋ ㄏㄤˋ\n字 ㄗˋ\n", {}},
        {"PairStaysWhole", "\xF0\xA0\x80\x80中", false, "\xF0\xA0\x80\x80 \n中 ㄓㄨㄥ\n", {}},
        {"ByteOrderMarkIsNoCharacter", "\xEF\xBB\xBF中", false, "中 ㄓㄨㄥ\n", {}},
        {"StrayContinuation", "中\x80", false, "", 3},
        {"Surrogate", "\xED\xA0\x80", false, "", 0},
        {"CutShort", "中\xE5\xAD", false, "", 3}};
    const auto ime = imm::makeSystemInputMethodManager();
    readings::ConsolePump pump;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string out;
        const auto error = readings::listReadings(row.input, {row.all, false}, *ime, pump,
                                                  [&](std::string_view piece) { out += piece; });
        EXPECT_EQ(out, row.output);
        EXPECT_EQ(error ? std::optional(error->byteOffset) : std::nullopt, row.badByte);
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

    const ProgramRun bad = runProgram({}, "中\xFF字");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_TRUE(bad.err.contains("not valid UTF-8 (byte 3)")) << bad.err.toStdString();

    EXPECT_EQ(runProgram({QStringLiteral("--first")}, "中").exitCode, 2);

    QTemporaryDir empty;
    const ProgramRun bare = runProgram({}, "中", empty.path());
    EXPECT_EQ(bare.exitCode, 0);
    EXPECT_EQ(bare.out, "中 \n");
    EXPECT_TRUE(bare.err.contains("no phonetic dictionary")) << bare.err.toStdString();
}

} // namespace
