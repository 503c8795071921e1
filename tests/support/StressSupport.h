#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>

namespace stress {

// Full-width characters whose first reading is beyond doubt, 240 twips each in the input box's
// font, so that the character under a pointer position follows from the position alone.
inline const QString kPool = QStringLiteral("中文字請");
inline const QStringList kPoolReadings = {QStringLiteral("ㄓㄨㄥ"), QStringLiteral("ㄨㄣˊ"),
                                          QStringLiteral("ㄗˋ"), QStringLiteral("ㄑㄧㄥˇ")};

inline QString poolText(qsizetype length) {
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = kPool[i % kPool.size()];
    return text;
}

inline QString readingOf(QChar c) {
    const qsizetype i = kPool.indexOf(c);
    return i < 0 ? QString() : kPoolReadings[i];
}

// How many characters of full-width text the gauge (30 twips of border) lets through at x.
inline qsizetype fittingCharacters(double x) {
    return qsizetype((x + 240 - 30) / 240);
}

inline long peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Prints a figure of a stress case and keeps it in the test's XML report.
inline void report(const char* what, double value, const char* unit) {
    std::printf("[ figure   ] %s: %.1f %s\n", what, value, unit);
    std::fflush(stdout);
    ::testing::Test::RecordProperty(what, QString::number(value, 'f', 1).toStdString());
}

inline QStringList listedLines(const QString& listing) {
    QStringList lines = listing.split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.takeLast(), QString()) << "every line ends with CR LF";
    return lines;
}

} // namespace stress
