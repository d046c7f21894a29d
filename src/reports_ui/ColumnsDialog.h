#pragma once

// "Columns": which columns a report shows, in which order, with which caption and alignment. The
// dialog works on a copy of the selection; OK hands it over.

#include "reports/ReportOptions.h"
#include "ui/BaseForm.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class TOKCancelPanel;

class TfrmReportColumns : public ThxBaseForm {
    Q_OBJECT
public:
    explicit TfrmReportColumns(const TReportColumnSelection& columns, QWidget* parent = nullptr);

    const TReportColumnSelection& Columns() const { return m_columns; }
    QListWidget* AvailableList() const { return m_available; }
    QListWidget* SelectedList() const { return m_selected; }
    QListWidget* PropertiesList() const { return m_properties; }
    QLineEdit* CaptionEdit() const { return m_caption; }
    QComboBox* AlignmentBox() const { return m_alignment; }
    QTabWidget* Pages() const { return m_pages; }

    /// Moves the chosen available column after the chosen selected one (at the end without one).
    void AddColumn();
    /// Moves the chosen selected column to the end of the available ones.
    void RemoveColumn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillLists();
    void PropertySelected();
    void CaptionEdited(const QString& text);
    void AlignmentChosen(int index);

    TReportColumnSelection m_columns;
    QTabWidget* m_pages;
    QListWidget* m_available;
    QListWidget* m_selected;
    QPushButton* m_add;
    QPushButton* m_remove;
    QListWidget* m_properties;
    QLineEdit* m_caption;
    QComboBox* m_alignment;
    TOKCancelPanel* m_panel;
    bool m_filling = false;
};
