#include "storage/StorageFileNames.h"

#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(StorageFileNamesTest, OnlyPlainNamesArePlain) {
    for (const char* name : {"cdroot.hx", "data2006.hx", "current1.hx", "a..b.hx", "..hx", "x y.hx"})
        EXPECT_TRUE(IsPlainStorageFileName(QString::fromUtf8(name))) << name;
    for (const char* name :
         {"", ".", "..", "/etc/passwd", "../data2006.hx", "sub/data.hx", "..\\x.hx", "a\\b", "line\nbreak"})
        EXPECT_FALSE(IsPlainStorageFileName(QString::fromUtf8(name))) << name;
}

TEST(StorageFileNamesTest, FullNamesStayInTheFolder) {
    TempHome home;
    TStorageFileNames names(home.Path(QStringLiteral("store")));
    EXPECT_EQ(names.GetStorageFileName(QStringLiteral("cdem.hx")), home.Path(QStringLiteral("store/cdem.hx")));
    for (const char* name : {"../outside.hx", "/tmp/x.hx", "..", ""}) {
        EXPECT_THROW(names.GetStorageFileName(QString::fromUtf8(name)), EStorageFileNameError) << name;
        EXPECT_THROW(names.GetUniqueStorageFileName(QString::fromUtf8(name)), EStorageFileNameError) << name;
    }
}

TEST(StorageFileNamesTest, UniqueNamesSkipExistingAndReservedNames) {
    TempHome home;
    const QString folder = home.Path(QStringLiteral("store"));
    QDir().mkpath(folder);
    TStorageFileNames names(folder + QStringLiteral("/"));
    EXPECT_EQ(names.GetUniqueStorageFileName(QStringLiteral("current.hx")), folder + QStringLiteral("/current.hx"));

    QFile existing(folder + QStringLiteral("/current.hx"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    names.ReserveStorageFileName(folder + QStringLiteral("/current1.hx"));
    EXPECT_EQ(names.GetUniqueStorageFileName(QStringLiteral("current.hx")), folder + QStringLiteral("/current2.hx"));
    // A reserved name stays taken even though no file of that name exists.
    names.ReserveStorageFileName(folder + QStringLiteral("/cdem.hx"));
    EXPECT_EQ(names.GetUniqueStorageFileName(QStringLiteral("cdem.hx")), folder + QStringLiteral("/cdem1.hx"));
    EXPECT_EQ(names.GetUniqueStorageFileName(QStringLiteral("noext")), folder + QStringLiteral("/noext"));
}

} // namespace
