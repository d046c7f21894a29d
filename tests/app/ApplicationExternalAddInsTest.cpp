// An add-in of another library in the controller: the example add-in, listed by the user, adds
// its action to the tray menu through the companions; the action runs; the end of the controller
// releases the add-in and with it everything it was handed.

#include "app/Application.h"
#include "app/MainWindow.h"

#include "ControllerTestSupport.h"
#include "addins/AddIn.h"
#include "foundation/Registry.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

class ApplicationExternalAddInsTest : public ControllerTest {
protected:
    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
};

TEST_F(ApplicationExternalAddInsTest, TheExampleAddsItsActionToTheTrayMenuAndGoesWithTheController) {
    const QString clsid = QStringLiteral("{6A1D3E70-5C1B-4E0B-9A57-3F0D2C8E4B11}");
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\Horalux.ExampleAction\\CLSID"), QString(), clsid);
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") + clsid + QStringLiteral("\\InprocServer32"), QString(),
                   QStringLiteral(EXAMPLE_ADDIN_LIBRARY));
    RegWriteString(QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux\\Add Ins"),
                   QStringLiteral("Horalux.ExampleAction"), QString());
    StartController(TestOptions());

    const std::shared_ptr<IHXAddIn> example =
        m_app->FindAddIn(QStringLiteral("{6A1D3E70-5C1B-4E0B-9A57-3F0D2C8E4B12}"));
    ASSERT_NE(example, nullptr);
    EXPECT_EQ(example->GetName(), QStringLiteral("Example Action"));

    QStringList captions;
    QAction* item = nullptr;
    for (QAction* action : m_app->MainWindow()->GetTrayPopupMenu()->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (action->text() == QStringLiteral("Example Add-In"))
            item = action;
    }
    // After the built-in add-ins' actions, before the second separator.
    EXPECT_EQ(captions.indexOf(QStringLiteral("Example Add-In")) + 1, captions.lastIndexOf(QStringLiteral("-")))
        << captions.join(u',').toStdString();
    ASSERT_NE(item, nullptr);
    item->trigger(); // runs the add-in's execute target; a failure would reach the error handler

    const std::weak_ptr<IHXAddIn> addIn = example;
    const std::weak_ptr<THXApplication> controller = m_app;
    StopController();
    EXPECT_FALSE(addIn.expired()) << "still held here";
    EXPECT_TRUE(controller.expired()) << "the add-in's companions do not keep the controller";
}

} // namespace
