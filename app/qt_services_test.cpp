#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "app/qt_document_opener.h"
#include "app/qt_settings_store.h"
#include "app/user_guide.h"

namespace kestro {
namespace {

void WriteFile(const QString& path, const QByteArray& content) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The test program points XDG_CONFIG_HOME at a folder of its own.
class QtSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"));
    QFile::remove(ConfFile());
  }
  void TearDown() override { QFile::remove(ConfFile()); }
  static QString ConfFile() {
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("Vintrellos/Kestrovane.conf");
  }
};

TEST_F(QtSettingsStoreTest, ValuesLandInTheSectionOfTheApplicationsFile) {
  QtSettingsStore store;
  store.Set(kSettingsApplication, kSettingsSection, "LastDir", "/home/u/Photos");
  store.Set(kSettingsApplication, kSettingsSection, "Splash", "1");
  const QByteArray conf = ReadFile(ConfFile());
  EXPECT_TRUE(conf.contains("[Kestrovane]")) << conf.toStdString();
  EXPECT_TRUE(conf.contains("LastDir=/home/u/Photos")) << conf.toStdString();
  EXPECT_TRUE(conf.contains("Splash=1")) << conf.toStdString();
}

TEST_F(QtSettingsStoreTest, ValuesComeBackAsTheyWereWrittenAcrossInstances) {
  const std::string tricky[] = {"/home/u/Ünïcødé, with; \"quotes\" = and #hash",
                                "@Variant(not one)", "", " leading and trailing "};
  for (const std::string& value : tricky) {
    QtSettingsStore{}.Set(kSettingsApplication, kSettingsSection, "LastDir", value);
    EXPECT_EQ(QtSettingsStore{}.Get(kSettingsApplication, kSettingsSection, "LastDir", "x"), value);
  }
}

TEST_F(QtSettingsStoreTest, AMissingValueGivesTheDefault) {
  QtSettingsStore store;
  EXPECT_EQ(store.Get(kSettingsApplication, kSettingsSection, "Splash", ""), "");
  EXPECT_EQ(store.Get(kSettingsApplication, kSettingsSection, "Splash", "none"), "none");
  EXPECT_FALSE(QFile::exists(ConfFile()));
}

TEST(UserGuidePathTest, PrefersTheGuideBesideTheProgramThenTheInstalledOne) {
  QTemporaryDir prefix;
  ASSERT_TRUE(prefix.isValid());
  const std::string bin = prefix.filePath("bin").toStdString();
  QDir().mkpath(prefix.filePath("bin"));
  const QString beside = prefix.filePath("bin/manual.htm");
  const QString installed = prefix.filePath("share/doc/kestrovane/manual.htm");

  EXPECT_EQ(UserGuidePathIn(bin), beside.toStdString()) << "neither exists";
  WriteFile(installed, "<html></html>");
  EXPECT_EQ(UserGuidePathIn(bin), installed.toStdString());
  WriteFile(beside, "<html></html>");
  EXPECT_EQ(UserGuidePathIn(bin), beside.toStdString());
}

TEST(QtDocumentOpenerTest, StartsTheLauncherWithThePathAndDoesNotWaitForIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString guide = dir.filePath("manual.htm");
  WriteFile(guide, "<html></html>");
  // The launcher records its argument only after the test lets it go on: had Open waited for
  // it, it would have given up first and recorded that instead.
  const QString go = dir.filePath("go");
  const QString seen = dir.filePath("seen");
  const QString launcher = dir.filePath("launcher.sh");
  WriteFile(launcher, QStringLiteral("#!/bin/sh\n"
                                     "i=0\n"
                                     "while [ ! -e '%1' ] && [ $i -lt 200 ]; do sleep 0.05; "
                                     "i=$((i+1)); done\n"
                                     "if [ -e '%1' ]; then echo \"$1\" > '%2.tmp'; "
                                     "else echo waited > '%2.tmp'; fi\n"
                                     "mv '%2.tmp' '%2'\n")
                          .arg(go, seen)
                          .toUtf8());
  QFile::setPermissions(launcher, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  QtDocumentOpener opener(launcher.toStdString());
  const Status status = opener.Open(guide.toStdString());
  ASSERT_TRUE(status.ok()) << status.message();
  WriteFile(go, "");
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(seen); }, 20000));
  EXPECT_EQ(ReadFile(seen).trimmed().toStdString(), guide.toStdString());
}

TEST(QtDocumentOpenerTest, AMissingDocumentIsReportedAndNothingStarted) {
  QtDocumentOpener opener("/bin/true");
  const Status status = opener.Open("/nonexistent/folder/manual.htm");
  EXPECT_EQ(status.code(), Status::Code::kNotFound);
  EXPECT_NE(status.message().find("/nonexistent/folder/manual.htm"), std::string::npos);
}

TEST(QtDocumentOpenerTest, ALauncherThatCannotStartIsReported) {
  QTemporaryDir dir;
  const QString guide = dir.filePath("manual.htm");
  WriteFile(guide, "x");
  QtDocumentOpener opener("/nonexistent/launcher");
  const Status status = opener.Open(guide.toStdString());
  EXPECT_EQ(status.code(), Status::Code::kIoError);
  EXPECT_NE(status.message().find("/nonexistent/launcher"), std::string::npos);
}

}  // namespace
}  // namespace kestro
