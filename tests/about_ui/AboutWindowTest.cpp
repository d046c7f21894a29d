// The About window: its texts, its tabs, and that it stays open beside everything else as a
// current window until it is closed.

#include "about_ui/AboutWindow.h"

#include "foundation/VRNException.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class TAboutAddIn : public TInternalAddIn {
public:
    TAboutAddIn(QString name, bool fails) : m_name(std::move(name)), m_fails(fails) {}
    QString GetID() override { return QStringLiteral("{C0FFEE00-0000-0000-0000-000000000001}"); }
    QString GetName() override {
        if (m_fails)
            throw EVRNException(QStringLiteral("gone"));
        return m_name;
    }
    bool AllowDeactivate() override { return false; }

private:
    QString m_name;
    bool m_fails;
};

TAboutInformation Information() {
    TAboutInformation information;
    information.version = QStringLiteral("0.1");
    information.buildInformation = QStringLiteral("HXBase:\nrelease build\n\nHXControls:\nrelease build\n\n");
    information.storageFolder = QStringLiteral("/home/someone/.local/share/Horalux/");
    information.addIns = {std::make_shared<TAboutAddIn>(QStringLiteral("Export"), false),
                          std::make_shared<TAboutAddIn>(QString(), true)};
    return information;
}

TEST(AboutWindowTest, AddInsAreListedWithTheirDescriptionsAndFailuresInTheirPlace) {
    EXPECT_EQ(AddInsAboutText(Information().addIns),
              QStringLiteral("Export:\nBase add-in for Varnelo Horalux. This add in is integrated and cannot be "
                             "deactivated.\n\nEVRNException: gone\n\n"));
}

TEST(AboutWindowTest, ShowsProductVersionAndItsFourTabs) {
    TAboutInformation information = Information();
    TfrmAbout window(information);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("About Varnelo Horalux"));
    ASSERT_EQ(window.Tabs()->count(), 4);
    QStringList captions;
    for (int i = 0; i < 4; ++i)
        captions << window.Tabs()->tabText(i);
    EXPECT_EQ(captions, (QStringList{"About", "Acknowledgements", "Add-Ins", "Modules"}));
    EXPECT_TRUE(window.TabText(0).contains(QStringLiteral("Storage folder: /home/someone/.local/share/Horalux/")));
    EXPECT_TRUE(window.TabText(0).contains(QStringLiteral("No log file is written.")));
    EXPECT_TRUE(window.TabText(1).contains(QStringLiteral("Qt ")));
    EXPECT_EQ(window.TabText(2), AddInsAboutText(information.addIns));
    EXPECT_EQ(window.TabText(3), information.buildInformation);
    EXPECT_FALSE(window.isModal());

    information.version.clear();
    information.logFile = QStringLiteral("/tmp/h.log");
    TfrmAbout unknown(information);
    QStringList texts;
    for (const QLabel* label : unknown.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Version 0.0")));
    EXPECT_TRUE(unknown.TabText(0).contains(QStringLiteral("Log file: /tmp/h.log")));
}

TEST(AboutWindowTest, StaysOpenAsACurrentWindowUntilClosedAndThenGoes) {
    TempHome home;
    QList<QWidget*> current;
    const QPointer<TfrmAbout> window = ShowAboutWindow(
        Information(), [&current](QWidget* shown) { current << shown; },
        [&current](QWidget* closed) { current.removeAll(closed); });
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible()) << "shown without waiting for it";
    EXPECT_EQ(current, QList<QWidget*>{window.data()});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    window->OKButton()->click();
    EXPECT_TRUE(current.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "freed when closed";
}

} // namespace
