#pragma once

// The properties of one activity: its name, its break flag (this activity only) and its icon
// (the default icon, or one picked from the activity images).

#include "model/ActivityInterfaces.h"
#include "ui/BaseForm.h"

class QCheckBox;
class QLineEdit;
class QTabWidget;
class TOKCancelPanel;
class TvrnImageSelector;

class TfrmActivityProperties : public ThxBaseForm {
    Q_OBJECT
public:
    explicit TfrmActivityProperties(QWidget* parent = nullptr);

    /// Shows the activity's values.
    void Load(const ActivityPtr& activity);

    QLineEdit* NameEdit() const { return m_name; }
    QCheckBox* BreakCheck() const { return m_isBreak; }
    QCheckBox* DefaultIconCheck() const { return m_defaultIcon; }
    TvrnImageSelector* ImageSelector() const { return m_images; }

public slots:
    /// Refuses a blank name; otherwise writes the values into the activity and closes.
    void accept() override;

private:
    ActivityPtr m_activity;
    QTabWidget* m_pages;
    QLineEdit* m_name;
    QCheckBox* m_isBreak;
    QCheckBox* m_defaultIcon;
    TvrnImageSelector* m_images;
    TOKCancelPanel* m_panel;
};

/// Opens the dialog for activity; returns whether the user confirmed (only then it changed).
bool EditActivityProperties(QWidget* parent, const ActivityPtr& activity);
