#pragma once

#include "addins/AddIn.h"

/// The built-in add-in "Activity Editor": at its launch it adds "Edit Activities" to the tray
/// menu, which opens the activity editor on the application's tree and saves everything after
/// the editor closes.
class TActivityEditorAddIn : public TInternalAddIn {
public:
    static constexpr const char* ID = "{535CB79B-89AB-44A0-B4F5-9641988035F3}";

    QString GetID() override;
    QString GetName() override;
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};

/// The "Edit Activities" command: the editor, modal while it is a current window, then SaveAll.
void ShowActivityEditor(IApplication_& application);
