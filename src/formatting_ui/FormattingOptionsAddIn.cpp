#include "formatting_ui/FormattingOptionsAddIn.h"

#include "addins/ApplicationInterface.h"
#include "formatting_ui/DateFormatterDlg.h"
#include "formatting_ui/DateFormattingOptionsPage.h"
#include "foundation/Translation.h"

namespace {

constexpr int PageOrder = 500;
constexpr QSize PageSize(517, 384);

} // namespace

QString TAddInFormattingOptions::GetID() {
    return QString::fromLatin1(ID);
}

QString TAddInFormattingOptions::GetName() {
    return Tr("Date Formatting Options");
}

void TAddInFormattingOptions::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const auto pages = Application().GetOptionsPagesList();
    if (!pages)
        return;
    // The page lives as long as the application's page list: it must not keep the application.
    std::weak_ptr<IApplication_> weak = application;
    const auto edit = [weak](QWidget* parent, std::shared_ptr<TDateFormatterLocDepUser>& formatter) {
        // The dialog is a current window of the application while it is shown.
        return ExecuteDateFormatterDlg(
            parent, formatter,
            [weak](QWidget* window) {
                if (const auto app = weak.lock())
                    app->AddCurrentWindow(window);
            },
            [weak](QWidget* window) {
                if (const auto app = weak.lock())
                    app->RemoveCurrentWindow(window);
            });
    };
    const QString name = GetName();
    pages->Add(std::make_shared<TOptionsPage>(
        Tr("Date Formatting"), PageOrder,
        [edit, name](QWidget* parent, IHXOptionsControl_* control) {
            auto* page = new TfrmDateFormattingOptions(parent, control, edit);
            page->setWindowTitle(name);
            return page;
        },
        std::function<bool()>(), PageSize));
}
