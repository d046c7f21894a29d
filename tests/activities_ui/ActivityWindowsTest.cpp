// The activity editor (a copy of the tree, applied on OK and Apply only) and the properties
// dialog of one activity.

#include "activities_ui/ActivityEditForm.h"
#include "activities_ui/ActivityPropertiesForm.h"
#include "activities_ui/ActivityTreeView.h"
#include "activities_ui/ImageSelector.h"

#include "model/Activity.h"
#include "model/ActivityTree.h"
#include "model/PropertyInterfaces.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class ActivityWindowsTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        m_work = m_tree->Childs()->AddNew();
        m_work->SetName(QStringLiteral("Work"));
        m_mail = m_work->Childs()->AddNew();
        m_mail->SetName(QStringLiteral("Mail"));
    }
    void TearDown() override { m_tree->Cleanup(); }

    std::shared_ptr<TActivityTree> m_tree = TActivityTree::Create();
    ActivityPtr m_work;
    ActivityPtr m_mail;
};

TEST_F(ActivityWindowsTest, TheEditorChangesTheApplicationTreeOnlyOnApplyAndOK) {
    const auto editRename = [&](TfrmBaseActivityEdit& window, const QString& name) {
        ActivityPtr copy = window.EditedTree()->FindActivity(m_work->ID());
        ASSERT_NE(copy, nullptr);
        ASSERT_NE(copy.get(), m_work.get()) << "the editor works on a copy";
        copy->SetName(name);
    };
    {
        TfrmBaseActivityEdit window;
        window.Initialize(m_tree);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Activity Editor"));
        EXPECT_FALSE(window.Panel()->ApplyButton()->isEnabled());
        editRename(window, QStringLiteral("Project"));
        EXPECT_TRUE(window.Panel()->ApplyButton()->isEnabled()) << "every change enables Apply";
        window.reject();
        EXPECT_EQ(m_work->Name(), QStringLiteral("Work")) << "Cancel drops the changes";
    }
    {
        TfrmBaseActivityEdit window;
        window.Initialize(m_tree);
        editRename(window, QStringLiteral("Project"));
        window.Apply();
        EXPECT_FALSE(window.Panel()->ApplyButton()->isEnabled());
        EXPECT_EQ(m_tree->FindActivity(m_work->ID())->Name(), QStringLiteral("Project"));
        editRename(window, QStringLiteral("Customer"));
        window.accept();
        EXPECT_EQ(window.result(), QDialog::Accepted);
        EXPECT_EQ(m_tree->FindActivity(m_work->ID())->Name(), QStringLiteral("Customer"));
        EXPECT_EQ(m_tree->Childs()->Items(0)->Childs()->Items(0)->Name(), QStringLiteral("Mail"));
    }
}

TEST_F(ActivityWindowsTest, PropertiesRefuseABlankNameAndStoreTheRestAsTyped) {
    m_work->SetIsBreak(false);
    TfrmActivityProperties dialog;
    dialog.Load(m_work);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Properties of Work"));
    EXPECT_TRUE(dialog.DefaultIconCheck()->isChecked()) << "no image index stored";
    EXPECT_FALSE(dialog.ImageSelector()->isEnabled());

    dialog.NameEdit()->setText(QStringLiteral("   "));
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    dialog.accept();
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_EQ(TMessageBoxSeam::Last()->text, QStringLiteral("Please enter a name for the activity."));
    EXPECT_EQ(TMessageBoxSeam::Last()->caption, QStringLiteral("Properties of Work"));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_work->Name(), QStringLiteral("Work"));

    dialog.NameEdit()->setText(QStringLiteral(" Project "));
    dialog.BreakCheck()->setChecked(true);
    dialog.DefaultIconCheck()->setChecked(false);
    EXPECT_TRUE(dialog.ImageSelector()->isEnabled());
    dialog.ImageSelector()->SetSelectedImage(12);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_work->Name(), QStringLiteral(" Project "));
    EXPECT_TRUE(m_work->IsBreak());
    EXPECT_FALSE(m_mail->IsBreak()) << "the flag of this activity only";
    EXPECT_EQ(m_work->ImageIndex(), 12);
}

TEST_F(ActivityWindowsTest, TheDefaultIconIsStoredAsMinusOneAndFollowsTheBreakFlag) {
    m_work->Values()->Items(ActivityValueImageIndex)->SetAsInteger(20);
    m_work->SetIsBreak(true);
    TfrmActivityProperties dialog;
    dialog.Load(m_work);
    EXPECT_FALSE(dialog.DefaultIconCheck()->isChecked());
    EXPECT_EQ(dialog.ImageSelector()->SelectedImage(), 20);
    dialog.DefaultIconCheck()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(m_work->Values()->Find(ActivityValueImageIndex)->AsInteger(), -1);
    EXPECT_EQ(m_work->ImageIndex(), 1) << "a break with the default icon shows the break image";

    TfrmActivityProperties again;
    again.Load(m_work);
    EXPECT_TRUE(again.DefaultIconCheck()->isChecked());
}

} // namespace
