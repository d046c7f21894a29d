#pragma once

// The settings every report shares, kept in the options section "reporting": one property list per
// report (named after it) holding "generic" (the report font, the interval and the columns, each
// only for the reports that use it) and "custom" (the report's own settings).

#include "foundation/GUID.h"
#include "model/FontProperties.h"
#include "model/PropertyInterfaces.h"

#include <QFont>
#include <QString>
#include <memory>
#include <vector>

using PropertyListPtr = std::shared_ptr<IHXPropertyList_>;

inline const QString ReportingSectionName = QStringLiteral("reporting");

/// The alignment of a report column, with the numbers of the stored form.
enum class TReportAlignment { Left = 0, Right = 1, Center = 2 };

/// "leftjustify", "rightjustify" or "center"; another value raises EVRNConvertError.
QString ReportAlignmentToText(TReportAlignment alignment);
/// The stored text, compared without regard to case; another text raises EVRNConvertError.
TReportAlignment ReportAlignmentFromText(const QString& text);

/// The stored font records of reports give heights in pixels at this resolution.
constexpr double ReportFontDpi = 96.0;

/// The report font: Arial at 10 points unless the user chose another.
struct TReportFont {
    TLogFontRecord record = DefaultRecord();

    static TLogFontRecord DefaultRecord();
    /// The font the record describes, sized in points.
    QFont Font() const;
    /// The point size the record's height stands for (at least 1).
    double PointSize() const;
    /// Takes a font chosen by the user.
    void SetFont(const QFont& font);
    /// Missing values keep what the record holds.
    void Load(const PropertyListPtr& list);
    void Save(const PropertyListPtr& list) const;
};

/// The date interval of a report; a new one covers the first day of the current month to today.
/// It is not stored: every report starts with it.
struct TReportInterval {
    double start = 0;
    double end = 0;
    static TReportInterval Default();
};

/// One column of a report.
struct TReportColumn {
    TGUID id;
    QString name;
    QString caption;
    TReportAlignment alignment = TReportAlignment::Left;

    /// A missing id gets a new one; a damaged alignment reads as left-aligned and is logged, so that
    /// the report still opens.
    void Load(const PropertyListPtr& list);
    void Save(const PropertyListPtr& list) const;
};

/// The columns a report offers: those the user shows, in order, and the others.
class TReportColumnSelection {
public:
    std::vector<TReportColumn> available;
    std::vector<TReportColumn> selected;

    void Load(const PropertyListPtr& list);
    void Save(const PropertyListPtr& list) const;
    /// The column with that id in either list, or none.
    TReportColumn* Find(const TGUID& id);
    /// A column the report knows: created (selected, at the end) when it is missing; its name
    /// becomes name, and its caption follows unless the user gave it another one.
    void Ensure(const TGUID& id, const QString& name, TReportAlignment alignment);
};

/// The generic settings of one report and the switches of the features it uses.
class TReportOptions {
public:
    bool useFont = false;
    bool useInterval = false;
    bool useColumns = false;
    TReportFont font;
    TReportInterval interval = TReportInterval::Default();
    TReportColumnSelection columns;

    /// Reads "generic" of the report's list; the interval is never read.
    void Load(const PropertyListPtr& reportList);
    /// Writes "generic": the features in use, the others removed.
    void Save(const PropertyListPtr& reportList) const;
};

/// The report's own settings in its list ("custom"), created when missing.
PropertyListPtr CustomReportSettings(const PropertyListPtr& reportList);
/// A copy of the report's list from the "reporting" section (empty when missing).
PropertyListPtr ReadReportList(const PropertyListPtr& reportingSection, const QString& reportName);
/// Puts the report's list back into the section.
void WriteReportList(const PropertyListPtr& reportingSection, const QString& reportName,
                     const PropertyListPtr& reportList);
