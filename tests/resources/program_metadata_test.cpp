// The program's name, version and maker appear in the desktop entry, the AppStream metainfo and
// the Windows version block; they must say the same as the build settings.
#include "BuildConfig.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

namespace {

QString readText(const char* path) {
    QFile file(QString::fromUtf8(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

std::map<QString, QString> desktopEntry() {
    std::map<QString, QString> keys;
    for (const QString& line : readText(QX_DESKTOP_FILE).split(u'\n')) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            keys[line.left(eq)] = line.mid(eq + 1);
    }
    return keys;
}

// Text of the first element named `name` with no xml:lang, i.e. the untranslated one.
QString metainfo(const QString& name, const QString& attribute = {}) {
    QXmlStreamReader xml(readText(QX_METAINFO_FILE));
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == name &&
            !xml.attributes().hasAttribute(QStringLiteral("xml:lang")))
            return attribute.isEmpty() ? xml.readElementText()
                                       : xml.attributes().value(attribute).toString();
        if (!xml.isStartElement())
            xml.readNext();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return {};
}

QString versionBlockString(const QString& key) {
    const QRegularExpression value(QStringLiteral("VALUE \"%1\", \"((?:[^\"]|\"\")*)\"").arg(key));
    return value.match(readText(QX_RC_FILE))
        .captured(1)
        .replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

TEST(ProgramMetadata, NameIsTheSameEverywhere) {
    const QString name = QStringLiteral("Quilldex 2");
    EXPECT_EQ(desktopEntry()[QStringLiteral("Name")], name);
    EXPECT_EQ(metainfo(QStringLiteral("name")), name);
    EXPECT_EQ(versionBlockString(QStringLiteral("InternalName")), name);
}

TEST(ProgramMetadata, VersionIsTheBuildsVersion) {
    const QString version = QString::fromLatin1(buildconfig::version);
    EXPECT_EQ(metainfo(QStringLiteral("release"), QStringLiteral("version")), version);
    const QRegularExpression fileVersion(QStringLiteral("FILEVERSION (\\d+),(\\d+),(\\d+),(\\d+)"));
    const auto numbers = fileVersion.match(readText(QX_RC_FILE));
    ASSERT_TRUE(numbers.hasMatch());
    EXPECT_EQ(numbers.capturedTexts().mid(1).join(u'.'), version);
    EXPECT_EQ(versionBlockString(QStringLiteral("FileVersion")), QStringLiteral("1.00"));
}

TEST(ProgramMetadata, MakerIsTheBuildSetting) {
    const QString maker = QString::fromUtf8(buildconfig::makerName);
    const QString url = QString::fromUtf8(buildconfig::makerUrl);
    EXPECT_EQ(metainfo(QStringLiteral("developer_name")), maker);
    EXPECT_EQ(metainfo(QStringLiteral("url")), url);
    EXPECT_EQ(versionBlockString(QStringLiteral("CompanyName")), maker);
    EXPECT_EQ(versionBlockString(QStringLiteral("FileDescription")), url);
}

TEST(ProgramMetadata, DesktopEntryStartsTheInstalledProgramAndIsFoundByZhuyin) {
    auto entry = desktopEntry();
    EXPECT_EQ(entry[QStringLiteral("Exec")], QStringLiteral("quilldex2"));
    EXPECT_EQ(entry[QStringLiteral("Icon")], QStringLiteral("quilldex2"));
    EXPECT_EQ(metainfo(QStringLiteral("launchable")), QStringLiteral("quilldex2.desktop"));
    const QStringList keywords = entry[QStringLiteral("Keywords")].split(u';');
    EXPECT_TRUE(keywords.contains(QStringLiteral("注音")));
    EXPECT_TRUE(keywords.contains(QStringLiteral("Zhuyin")));
}

} // namespace
