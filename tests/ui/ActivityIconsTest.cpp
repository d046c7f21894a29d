#include "ui/ActivityIcons.h"

#include "model/ActivityImages.h"

#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(ActivityIconsTest, EveryImageOfTheProgramHasADistinctThemeIconThatTheThemeCarries) {
    EnsureIconTheme();
    QStringList images = SmallImageListResources() + ActivityToolbarResources();
    QSet<QString> numbered;
    for (const QString& image : images) {
        const QString name = ThemeIconName(image);
        if (image.endsWith(QLatin1String("_NIL"))) {
            EXPECT_TRUE(name.isEmpty()) << image.toStdString();
            continue;
        }
        ASSERT_FALSE(name.isEmpty()) << image.toStdString();
        EXPECT_TRUE(QIcon::hasThemeIcon(name)) << image.toStdString() << " -> " << name.toStdString();
        if (image.startsWith(QLatin1String("icon_activity_")) && image != QLatin1String("icon_activity_default"))
            numbered.insert(name);
    }
    // Each numbered activity image looks different from the others.
    EXPECT_EQ(numbered.size(), ActivityNumberedIconCount);
}

TEST(ActivityIconsTest, AnImageTheThemeLacksIsDrawnAndUnknownIndexesShowTheDefault) {
    EXPECT_TRUE(ThemeIconName(QStringLiteral("NO_SUCH_IMAGE")).isEmpty());
    const QImage drawn = ImageIcon(QStringLiteral("NO_SUCH_IMAGE")).pixmap(16, 16).toImage();
    ASSERT_FALSE(drawn.isNull());
    EXPECT_GT(qAlpha(drawn.pixel(8, 8)), 0) << "the drawn picture is not empty";
    EXPECT_NE(DrawnIcon(QStringLiteral("A")).pixmap(16, 16).toImage(),
              DrawnIcon(QStringLiteral("B")).pixmap(16, 16).toImage());
    for (int index : {-1, 0, 9999})
        EXPECT_EQ(ThemeIconName(ActivityImageResourceName(index < 0 ? 0 : index)),
                  ThemeIconName(QStringLiteral("icon_activity_default")))
            << index;
    EXPECT_FALSE(ActivityIcon(-1).isNull());
}

} // namespace
