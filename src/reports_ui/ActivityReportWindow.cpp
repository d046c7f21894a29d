#include "reports_ui/ActivityReportWindow.h"

#include "activities_ui/ActivityImageList.h"
#include "controls/VRNFloatEdit.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Translation.h"
#include "reports_ui/ReportRangeDialog.h"
#include "ui/OKCancelPanel.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHeaderView>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kActivityColumn = 0;
constexpr int kTotalColumn = 1;
constexpr int kDurationColumn = 2;

/// An item of the tree list: the activity it shows (none for the root item).
class TReportActivityItem : public QTreeWidgetItem {
public:
    explicit TReportActivityItem(ActivityPtr activity) : m_activity(std::move(activity)) {}
    const ActivityPtr& Activity() const { return m_activity; }
    bool childsLoaded = false;

private:
    ActivityPtr m_activity;
};

ActivityPtr ActivityOf(const QTreeWidgetItem* item) {
    const auto* activityItem = dynamic_cast<const TReportActivityItem*>(item);
    return activityItem ? activityItem->Activity() : nullptr;
}

/// Whether activity is shown by item or one of its ancestors.
bool AmongAncestors(const QTreeWidgetItem* item, const ActivityPtr& activity) {
    for (; item; item = item->parent())
        if (ActivityOf(item) == activity)
            return true;
    return false;
}

QTreeWidgetItem* NewActivityItem(const ActivityPtr& activity, QTreeWidgetItem* parent) {
    auto* item = new TReportActivityItem(activity);
    item->setText(kActivityColumn, activity->Name());
    item->setIcon(kActivityColumn, ActivityNodeIcon(activity->ImageIndex(), false));
    const ActivityListPtr childs = activity->Childs();
    const bool expandable = childs && childs->Count() > 0 && !AmongAncestors(parent, activity);
    item->setChildIndicatorPolicy(expandable ? QTreeWidgetItem::ShowIndicator
                                             : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    return item;
}

} // namespace

double TfrmBaseActivityReportOptions::FromHundredths(int hundredths, bool inches) {
    const double twips = hundredths / 100.0 * 20.0;
    return twips / (inches ? 1440.0 : 567.0);
}

int TfrmBaseActivityReportOptions::ToHundredths(double value, bool inches) {
    const double twips = value * (inches ? 1440.0 : 567.0);
    return static_cast<int>(std::lround(twips / 20.0 * 100.0));
}

TfrmBaseActivityReportOptions::TfrmBaseActivityReportOptions(
    const TActivityReportOptions& options, const TReportInterval& interval, TReportSources sources,
    std::function<void(const TActivityReportOptions&, const TReportInterval&)> apply, QWidget* parent)
    : ThxBaseForm(parent), m_options(options), m_sources(std::move(sources)), m_apply(std::move(apply)),
      m_inches(UsesInches()) {
    setWindowTitle(Tr("Activity Report"));
    setMinimumSize(525, 391);
    m_pages = new QTabWidget(this);

    m_tree = new QTreeWidget(m_pages);
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({Tr("Activity"), Tr("Total"), Tr("Duration")});
    m_tree->header()->resizeSection(kActivityColumn, 250);
    m_tree->header()->resizeSection(kTotalColumn, 75);
    m_tree->header()->resizeSection(kDurationColumn, 75);
    m_tree->header()->setStretchLastSection(false);
    m_root = new QTreeWidgetItem;
    m_root->setText(kActivityColumn, Tr("Activities"));
    m_root->setIcon(kActivityColumn, SmallImageListIcon(ActivityImageRootPosition));
    m_tree->addTopLevelItem(m_root);
    if (m_sources.tree) {
        const ActivityListPtr top = m_sources.tree->Childs();
        for (int i = 0; i < top->Count(); ++i)
            m_root->addChild(NewActivityItem(top->Items(i), m_root));
        for (const ActivityPtr& pseudo : {m_sources.tree->UnknownActivity(), m_sources.tree->UnknownBreakActivity()})
            if (pseudo)
                m_tree->addTopLevelItem(NewActivityItem(pseudo, nullptr));
    }
    connect(m_tree, &QTreeWidget::itemExpanded, this, &TfrmBaseActivityReportOptions::LoadChilds);
    m_pages->addTab(m_tree, Tr("Activities"));

    auto* formatting = new QWidget(m_pages);
    m_start = NewReportDatePicker(formatting);
    m_end = NewReportDatePicker(formatting);
    m_start->setDate(QDateFromDate(interval.start));
    m_end->setDate(QDateFromDate(interval.end));
    CoupleDatePickers(m_start, m_end);
    m_durations = new TvrnDurationFormatComboBox(formatting);
    m_durations->Fill(m_sources.formatting.get(), m_options.durationFormat);
    m_dates = new TvrnDateFormatComboBox(formatting);
    m_dates->Fill(m_sources.formatting.get(), m_options.dateFormat);
    m_grouping = new QComboBox(formatting);
    m_grouping->addItems({Tr("No grouping"), Tr("Group by week"), Tr("Group by month"), Tr("Pagebreak by week"),
                          Tr("Pagebreak by month")});
    const int grouping = static_cast<int>(m_options.grouping);
    m_grouping->setCurrentIndex(m_options.newPage && grouping > 0 ? grouping + 2 : grouping);
    m_hideZeros = new QCheckBox(Tr("Hide zeros"), formatting);
    m_hideZeros->setChecked(m_options.hideZeros);
    m_breaks = new QComboBox(formatting);
    m_breaks->addItems({Tr("Don't show breaks"), Tr("Show breaks"), Tr("Show breaks in italics")});
    m_breaks->setCurrentIndex(m_options.breaks == TActivityBreaks::Hide   ? 0
                              : m_options.breaks == TActivityBreaks::Show ? 1
                                                                          : 2);
    m_indent = new TVRNFloatEdit(formatting);
    m_sumPosition = new TVRNFloatEdit(formatting);
    m_indent->SetValue(FromHundredths(m_options.indent, m_inches));
    m_sumPosition->SetValue(FromHundredths(m_options.sumPosition, m_inches));
    auto* form = new QFormLayout(formatting);
    form->addRow(Tr("Start date:"), m_start);
    form->addRow(Tr("End date:"), m_end);
    form->addRow(Tr("Duration display format:"), m_durations);
    form->addRow(Tr("Date display format:"), m_dates);
    form->addRow(Tr("Grouping:"), m_grouping);
    form->addRow(m_hideZeros);
    form->addRow(Tr("Breaks:"), m_breaks);
    form->addRow(m_inches ? Tr("Indent in inch:") : Tr("Indent in cm:"), m_indent);
    form->addRow(m_inches ? Tr("Time position in inch:") : Tr("Time position in cm:"), m_sumPosition);
    m_pages->addTab(formatting, Tr("Formatting"));

    m_panel = new TOKCancelPanel(this);
    m_panel->SetButtons(true, true, true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_panel);
    resize(525, 391);

    connect(m_start, &QDateEdit::dateChanged, this, &TfrmBaseActivityReportOptions::ComputeTimes);
    connect(m_end, &QDateEdit::dateChanged, this, &TfrmBaseActivityReportOptions::ComputeTimes);
    connect(m_durations, &QComboBox::currentIndexChanged, this, [this] {
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            ShowTimes(m_tree->topLevelItem(i));
    });
    connect(m_panel, &TOKCancelPanel::ApplyClicked, this, &TfrmBaseActivityReportOptions::Apply);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, [this] {
        Apply();
        accept();
    });

    ComputeTimes();
    ExpandFromOutline(m_root, *m_options.outline);
}

void TfrmBaseActivityReportOptions::LoadChilds(QTreeWidgetItem* item) {
    auto* activityItem = dynamic_cast<TReportActivityItem*>(item);
    if (!activityItem || activityItem->childsLoaded)
        return;
    activityItem->childsLoaded = true;
    if (AmongAncestors(item->parent(), activityItem->Activity()))
        return;
    const ActivityListPtr childs = activityItem->Activity()->Childs();
    for (int i = 0; childs && i < childs->Count(); ++i) {
        QTreeWidgetItem* child = NewActivityItem(childs->Items(i), item);
        item->addChild(child);
        ShowTimes(child);
    }
}

QTreeWidgetItem* TfrmBaseActivityReportOptions::FindItem(QTreeWidgetItem* parent, const ActivityPtr& activity) const {
    const int count = parent ? parent->childCount() : m_tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = parent ? parent->child(i) : m_tree->topLevelItem(i);
        if (ActivityOf(item) == activity)
            return item;
    }
    return nullptr;
}

void TfrmBaseActivityReportOptions::ExpandFromOutline(QTreeWidgetItem* item, const TActivityOutlineNode& node) {
    item->setExpanded(node.expanded);
    if (!node.expanded)
        return;
    for (const auto& child : node.children) {
        if (!child->expanded)
            continue;
        // The pseudo activities stand beside the root item.
        QTreeWidgetItem* found = FindItem(item, child->activity);
        if (!found && item == m_root)
            found = FindItem(nullptr, child->activity);
        if (found)
            ExpandFromOutline(found, *child);
    }
}

std::shared_ptr<TActivityOutlineNode> TfrmBaseActivityReportOptions::OutlineOf(QTreeWidgetItem* item) const {
    auto node = std::make_shared<TActivityOutlineNode>();
    node->activity = ActivityOf(item);
    node->expanded = item->isExpanded();
    if (!node->expanded)
        return node;
    for (int i = 0; i < item->childCount(); ++i)
        if (item->child(i)->isExpanded())
            node->children.push_back(OutlineOf(item->child(i)));
    if (item == m_root)
        for (int i = 1; i < m_tree->topLevelItemCount(); ++i)
            if (m_tree->topLevelItem(i)->isExpanded())
                node->children.push_back(OutlineOf(m_tree->topLevelItem(i)));
    return node;
}

TActivityReportOptions TfrmBaseActivityReportOptions::Options() const {
    TActivityReportOptions options = m_options;
    options.durationFormat = m_durations->SelectedId();
    options.dateFormat = m_dates->SelectedId();
    const int grouping = m_grouping->currentIndex();
    options.grouping = static_cast<TActivityGrouping>(grouping > 2 ? grouping - 2 : std::max(0, grouping));
    options.newPage = grouping > 2;
    options.hideZeros = m_hideZeros->isChecked();
    const int breaks = m_breaks->currentIndex();
    options.breaks = breaks == 0   ? TActivityBreaks::Hide
                     : breaks == 1 ? TActivityBreaks::Show
                                   : TActivityBreaks::Italic;
    options.indent = ToHundredths(m_indent->Value(), m_inches);
    options.sumPosition = ToHundredths(m_sumPosition->Value(), m_inches);
    options.outline = OutlineOf(m_root);
    return options;
}

TReportInterval TfrmBaseActivityReportOptions::Interval() const {
    return {DateFromQDate(m_start->date()), DateFromQDate(m_end->date())};
}

void TfrmBaseActivityReportOptions::Apply() {
    if (m_apply)
        m_apply(Options(), Interval());
    // The report computed its own periods into the same activities: the dialog's dates again.
    ComputeTimes();
}

void TfrmBaseActivityReportOptions::ComputeTimes() {
    if (!m_sources.tree || !m_sources.storage)
        return;
    const TReportInterval interval = Interval();
    m_totals = ComputeActivityTimes(m_sources, interval.start, std::max(interval.start, interval.end));
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        ShowTimes(m_tree->topLevelItem(i));
}

void TfrmBaseActivityReportOptions::ShowTimes(QTreeWidgetItem* item) {
    const DurationFormatterPtr formatter =
        ReportDurationFormatter(m_sources.formatting.get(), m_durations->SelectedId());
    auto text = [&formatter](double value) { return IsZeroDuration(value) ? QString() : formatter->Format(value); };
    if (const ActivityPtr activity = ActivityOf(item)) {
        const bool isBreak = activity->IsBreak();
        item->setText(kTotalColumn,
                      text(ActivityTime(activity, isBreak ? ActivityBreakTimeValue : ActivityWorkTimeValue)));
        item->setText(kDurationColumn, text(ActivityTime(activity, ActivityDurationValue)));
    } else {
        item->setText(kTotalColumn, text(m_totals.work));
    }
    item->setTextAlignment(kTotalColumn, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(kDurationColumn, Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < item->childCount(); ++i)
        ShowTimes(item->child(i));
}

TfrmBaseActivityReport::TfrmBaseActivityReport(std::shared_ptr<IApplication_> application, QWidget* parent)
    : TfrmBaseRichTextReport(std::move(application), parent) {
    setWindowTitle(Tr("Activity Report"));
    SetFeatures(true, true, false);
    SetPositionName(QStringLiteral("frmBaseActivityReport"), true);
}

bool TfrmBaseActivityReport::ShowOptionsDialog() {
    if (m_dialog)
        return false;
    TfrmBaseActivityReportOptions dialog(
        m_activityOptions, Options().interval, Sources(),
        [this](const TActivityReportOptions& options, const TReportInterval& interval) {
            m_activityOptions = options;
            Options().interval = interval;
            Refresh();
        },
        this);
    m_dialog = &dialog;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_dialog = nullptr;
    return accepted;
}

void TfrmBaseActivityReport::WriteReport() {
    WriteActivityReport(Document(), Page(), Sources(), Options(), m_activityOptions);
}

void TfrmBaseActivityReport::LoadCustom(const PropertyListPtr& custom) {
    const auto outline = m_activityOptions.outline;
    m_activityOptions.Load(custom);
    m_activityOptions.outline = outline;
}

void TfrmBaseActivityReport::SaveCustom(const PropertyListPtr& custom) const {
    m_activityOptions.Save(custom);
}

void TfrmBaseActivityReport::showEvent(QShowEvent* event) {
    TfrmBaseRichTextReport::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    QPointer<TfrmBaseActivityReport> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->isVisible())
            self->ShowOptionsDialog();
    });
}
