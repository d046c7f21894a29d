// The program's options and activity tree as an external add-in reaches them through the
// application object: what the program stored is what the add-in reads, and what the add-in
// changes is what the program reads afterwards.

#include "app/Application.h"

#include "ControllerTestSupport.h"
#include "addins/GlobalCompanion.h"
#include "foundation/XMZFile.h"
#include "model/ActivityInterfaces.h"
#include "model/HXTools.h"
#include "model/PropertyInterfaces.h"
#include "support/SdkTestSupport.h"

#include <gtest/gtest.h>

using namespace HoraluxSDK;

namespace {

class ApplicationModelCompanionsTest : public ControllerTest {
protected:
    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
};

HXRef<IHXProperty> Item(IHXPropertyList* list, const QString& name) {
    HXRef<IHXProperty> property;
    EXPECT_EQ(list->get_Items(HXText(name), property.Out()), HX_S_OK);
    return property;
}

TEST_F(ApplicationModelCompanionsTest, OptionsAreTheProgramsSectionsBothWays) {
    StartController(TestOptions());
    m_app->GetOptions(QStringLiteral("general"))->Items(QStringLiteral("compress"))->SetAsBoolean(false);
    HXRef<Global_> global{NewGlobalCompanion(m_app)};

    HXRef<IHXPropertyList> general;
    ASSERT_EQ(global->get_Options(HXText(QStringLiteral("General")), general.Out()), HX_S_OK);
    HXRef<IHXProperty> compress = Item(general.get(), QStringLiteral("compress"));
    HXBOOL value = HX_TRUE;
    EXPECT_EQ(compress->get_AsBoolean(&value), HX_S_OK);
    EXPECT_EQ(value, HX_FALSE);
    EXPECT_FALSE(m_app->GetTools()->CreateNewXMZFile()->GetCompress());

    EXPECT_EQ(compress->put_AsBoolean(HX_TRUE), HX_S_OK);
    EXPECT_TRUE(m_app->GetTools()->CreateNewXMZFile()->GetCompress()) << "the program's files compress again";

    // A section of the add-in's own starts empty and is the program's from then on.
    HXRef<IHXPropertyList> own;
    ASSERT_EQ(global->get_Options(HXText(QStringLiteral("Maker.Example")), own.Out()), HX_S_OK);
    int32_t count = -1;
    EXPECT_EQ(own->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(Item(own.get(), QStringLiteral("greeting"))->put_AsString(HXText(QStringLiteral("Hello"))), HX_S_OK);
    EXPECT_EQ(m_app->GetOptions(QStringLiteral("maker.example"))->Find(QStringLiteral("greeting"))->AsString(),
              QStringLiteral("Hello"));

    compress.Reset();
    general.Reset();
    own.Reset();
    global.Reset();
    const std::weak_ptr<THXApplication> controller = m_app;
    StopController();
    EXPECT_TRUE(controller.expired());
}

TEST_F(ApplicationModelCompanionsTest, TheActivityTreeListsTheProgramsTopActivities) {
    StartController(TestOptions());
    const ActivityTreePtr tree = m_app->GetActivityTree();
    tree->Childs()->AddNew()->SetName(QStringLiteral("Project"));
    QStringList programNames;
    for (int i = 0; i < tree->Childs()->Count(); ++i)
        programNames << tree->Childs()->Items(i)->Name();
    HXRef<Global_> global{NewGlobalCompanion(m_app)};

    HXRef<IHXActivityTree> sdkTree;
    ASSERT_EQ(global->get_ActivityTree(sdkTree.Out()), HX_S_OK);
    HXRef<IHXActivityList> top;
    ASSERT_EQ(sdkTree->get_Childs(top.Out()), HX_S_OK);
    int32_t count = 0;
    ASSERT_EQ(top->get_Count(&count), HX_S_OK);
    QStringList names;
    HXRef<IHXActivity> project;
    for (int32_t i = 0; i < count; ++i) {
        HXRef<IHXActivity> activity;
        ASSERT_EQ(top->get_Items(i, activity.Out()), HX_S_OK);
        HXBSTR name = nullptr;
        ASSERT_EQ(activity->get_Name(&name), HX_S_OK);
        names << TakeText(name);
        if (names.last() == QStringLiteral("Project"))
            project = std::move(activity);
    }
    EXPECT_EQ(names, programNames);
    ASSERT_TRUE(project);

    // A locator of the add-in's own, made by the tools, finds the activity in the program's tree.
    HXRef<IHXTools> tools;
    ASSERT_EQ(global->get_Tools(tools.Out()), HX_S_OK);
    HXRef<IHXActivityLocator> locator;
    ASSERT_EQ(tools->CreateNewActivityLocator(locator.Out()), HX_S_OK);
    ASSERT_EQ(locator->SetActivity(project.get()), HX_S_OK);
    HXRef<IHXActivity> found;
    TLocatorRelevance relevance = 0;
    ASSERT_EQ(locator->FindActivity(sdkTree.get(), found.Out(), &relevance), HX_S_OK);
    EXPECT_EQ(relevance, 1000);
    HXBSTR name = nullptr;
    EXPECT_EQ(locator->GetActivityName(sdkTree.get(), &name), HX_S_OK);
    EXPECT_EQ(TakeText(name), QStringLiteral("Project"));
}

} // namespace
