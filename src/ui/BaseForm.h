#pragma once

// The base of the program's windows. A form is shown in the dialog font, is listed among the live
// objects while it exists, hears about changes of the regional settings (FormatSettingsChanged,
// which does nothing unless a window overrides it), and can keep its place in the options under
// a position name: restored before it is first shown, saved whenever it is hidden.
//
// Sizes given to the constructor are the designed sizes: the window opens with them until the
// user has saved another size.

#include "foundation/International.h"
#include "foundation/LiveObjectRegistry.h"

#include <QDialog>
#include <QString>
#include <functional>

class ThxBaseForm : public QDialog, public ILiveObject, public IvrnFormatSettingsNotify {
    Q_OBJECT
public:
    explicit ThxBaseForm(QWidget* parent = nullptr);
    ~ThxBaseForm() override;

    QString ClassName() const override;
    void FormatSettingsChanged() override {}

    /// The name the window's place is kept under ("" keeps none); withSize also keeps its size
    /// (windows the user can resize).
    void SetPositionName(const QString& name, bool withSize);
    QString PositionName() const { return m_positionName; }
    bool SavesSize() const { return m_savesSize; }
    /// Restores or keeps the place now (ordinarily done before the window is first shown).
    void LoadFormPosition();
    void SaveFormPosition();

    /// Restores the place before the window is first shown.
    void setVisible(bool visible) override;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QString m_positionName;
    bool m_savesSize = false;
    bool m_positionLoaded = false;
};

/// Runs the dialog's modal loop while it is one of the application's current windows: add before,
/// remove afterwards, also when the loop ends by an exception (either may be empty).
int ExecAsCurrentWindow(QDialog& dialog, const std::function<void(QWidget*)>& add,
                        const std::function<void(QWidget*)>& remove);
