#pragma once

// The "General" options page: start with the desktop session, the hot key that opens the tray
// menu, and (only when the program was started with "-compress") the compression of the data
// files. Section "general": "autostart" and "compress" (booleans, default true), "hotkey".

#include "addins/AddIn.h"
#include "ui/OptionsPages.h"

class QCheckBox;
class QLabel;
class THotKeyEdit;

class TfrmProgramOptions : public TfrmOptionsPage {
    Q_OBJECT
public:
    /// showCompression: whether the compression check box is shown.
    TfrmProgramOptions(QWidget* parent, IHXOptionsControl_* control, bool showCompression);

    void LoadPage() override;
    /// Refuses the menu's hot key when the tracking window has the same one.
    bool SavePage() override;

    QCheckBox* AutostartBox() const { return m_autostart; }
    QCheckBox* CompressBox() const { return m_compress; }
    THotKeyEdit* HotKeyEdit() const { return m_hotKey; }

private:
    QCheckBox* m_autostart;
    QCheckBox* m_compress;
    THotKeyEdit* m_hotKey;
};

/// The built-in add-in that brings the "General" page (order 0). It cannot be switched off.
class TProgramOptions : public TInternalAddIn {
public:
    static constexpr const char* ID = "{D6213E86-3EA7-4550-AACB-0D548CEC9059}";

    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override { return false; }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
