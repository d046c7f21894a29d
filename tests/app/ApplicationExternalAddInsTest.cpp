// An add-in of another library in the controller: the example add-in, listed by the user, adds
// its action to the tray menu through the companions; the action runs; the end of the controller
// releases the add-in and with it everything it was handed.

#include "app/Application.h"
#include "app/MainWindow.h"

#include "ControllerTestSupport.h"
#include "addins/AddIn.h"
#include "addins/GlobalCompanion.h"
#include "addins/SdkBridge.h"
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

/// The dispatch object in a variant; the variant keeps its reference.
HoraluxSDK::IHXDispatch* DispatchIn(const HXVARIANT& variant) {
    return variant.vt == HX_VT_DISPATCH ? static_cast<HoraluxSDK::IHXDispatch*>(variant.value.punkVal) : nullptr;
}

int32_t DispIdOf(HoraluxSDK::IHXDispatch* object, const char16_t* name) {
    int32_t id = -1;
    const char16_t* names[] = {name};
    EXPECT_EQ(object->GetIDsOfNames(names, 1, &id), HX_S_OK);
    return id;
}

TEST_F(ApplicationExternalAddInsTest, AnAddInReachesAnActionByLateBindingAlone) {
    StartController(TestOptions());
    HoraluxSDK::Global_* global = NewGlobalCompanion(m_app);
    HXVARIANT tools, action, caption, none;
    for (HXVARIANT* v : {&tools, &action, &caption, &none})
        HXVariantInit(v);

    ASSERT_EQ(global->Invoke(DispIdOf(global, u"tools"), HX_DISPATCH_PROPERTYGET, nullptr, 0, &tools), HX_S_OK);
    ASSERT_NE(DispatchIn(tools), nullptr);
    ASSERT_EQ(DispatchIn(tools)->Invoke(DispIdOf(DispatchIn(tools), u"CreateNewAction"), HX_DISPATCH_METHOD, nullptr, 0,
                                        &action),
              HX_S_OK);
    HoraluxSDK::IHXDispatch* object = DispatchIn(action);
    ASSERT_NE(object, nullptr);

    const int32_t captionId = DispIdOf(object, u"caption");
    EXPECT_EQ(captionId, 203);
    HXVARIANT text;
    HXVariantInit(&text);
    text.vt = HX_VT_BSTR;
    text.value.bstrVal = HXSysAllocString(u"Late Bound");
    EXPECT_EQ(object->Invoke(captionId, HX_DISPATCH_PROPERTYPUT, &text, 1, &none), HX_S_OK);
    HXVariantClear(&text);
    EXPECT_EQ(none.vt, HX_VT_EMPTY);
    ASSERT_EQ(object->Invoke(captionId, HX_DISPATCH_PROPERTYGET, nullptr, 0, &caption), HX_S_OK);
    ASSERT_EQ(caption.vt, HX_VT_BSTR);
    EXPECT_EQ(FromHXString(caption.value.bstrVal), QStringLiteral("Late Bound"));

    // The program's own description comes back for a failing member reached this way.
    HXVARIANT nullTarget;
    HXVariantInit(&nullTarget);
    EXPECT_TRUE(HX_FAILED(object->Invoke(205, HX_DISPATCH_METHOD, &nullTarget, 1, nullptr)));
    HXBSTR source = nullptr, description = nullptr;
    HXGetErrorInfo(&source, &description);
    EXPECT_FALSE(FromHXString(description).isEmpty());
    HXSysFreeString(source);
    HXSysFreeString(description);

    for (HXVARIANT* v : {&tools, &action, &caption})
        HXVariantClear(v);
    global->Release();
    StopController();
}

} // namespace
