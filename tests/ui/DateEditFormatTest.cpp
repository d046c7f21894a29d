#include "ui/DateEditFormat.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

struct PictureCase {
    const char* picture;
    const char* format;
    const char* shown; ///< 2006-03-04 in that format
};

class DateEditFormatTest : public testing::TestWithParam<PictureCase> {};

TEST_P(DateEditFormatTest, DatePicturesBecomeDisplayFormatsThatShowTheSameDate) {
    const QString format = DateEditFormat(QString::fromUtf8(GetParam().picture));
    EXPECT_EQ(format, QString::fromUtf8(GetParam().format));
    EXPECT_EQ(QLocale::c().toString(QDate(2006, 3, 4), format), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Pictures, DateEditFormatTest,
                         testing::Values(PictureCase{"M/d/yyyy", "M/d/yyyy", "3/4/2006"},
                                         PictureCase{"dd.MM.yyyy", "dd.MM.yyyy", "04.03.2006"},
                                         PictureCase{"yyyy-MM-dd", "yyyy-MM-dd", "2006-03-04"},
                                         PictureCase{"d/M/y", "d/M/yy", "4/3/06"},
                                         PictureCase{"gg yyyy/MM/dd", "yyyy/MM/dd", "2006/03/04"},
                                         PictureCase{"d'. 'MMMM yyyy", "d'. 'MMMM yyyy", "4. March 2006"}));

} // namespace
