#include "reports/ReportOptions.h"

#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <cmath>

namespace {

const QString kGeneric = QStringLiteral("generic");
const QString kCustom = QStringLiteral("custom");
const QString kFont = QStringLiteral("font");
const QString kInterval = QStringLiteral("interval");
const QString kColumns = QStringLiteral("columns");

/// The nested list name of list when it is one, else none; nothing is added.
PropertyListPtr FindList(const PropertyListPtr& list, const QString& name) {
    if (!list)
        return nullptr;
    const auto property = list->Find(name);
    if (!property || property->DataType() != hxpdtPropertyList)
        return nullptr;
    return property->AsPropertyList();
}

/// The nested list name of list, made one when needed.
PropertyListPtr EnsureList(const PropertyListPtr& list, const QString& name) {
    EnsurePropertyList(list, name);
    return list->Items(name)->AsPropertyList();
}

void LoadColumns(const PropertyListPtr& list, const QString& name, std::vector<TReportColumn>& columns) {
    columns.clear();
    const auto items = FindValueListDef(list, name, nullptr);
    for (int i = 0; items && i < items->Count(); ++i) {
        const auto item = items->Items(i);
        if (item->DataType() != hxpdtPropertyList)
            continue;
        TReportColumn column;
        column.Load(item->AsPropertyList());
        columns.push_back(column);
    }
}

void SaveColumns(const PropertyListPtr& list, const QString& name, const std::vector<TReportColumn>& columns) {
    list->Remove(name);
    const auto items = list->Items(name)->AsValueList();
    for (const TReportColumn& column : columns)
        column.Save(items->AddItem()->AsPropertyList());
}

} // namespace

QString ReportAlignmentToText(TReportAlignment alignment) {
    switch (alignment) {
    case TReportAlignment::Left:
        return QStringLiteral("leftjustify");
    case TReportAlignment::Right:
        return QStringLiteral("rightjustify");
    case TReportAlignment::Center:
        return QStringLiteral("center");
    }
    throw EVRNConvertError(QStringLiteral("'%1' is not a valid TAlignment value").arg(static_cast<int>(alignment)));
}

TReportAlignment ReportAlignmentFromText(const QString& text) {
    for (const TReportAlignment alignment : {TReportAlignment::Left, TReportAlignment::Right, TReportAlignment::Center})
        if (text.compare(ReportAlignmentToText(alignment), Qt::CaseInsensitive) == 0)
            return alignment;
    throw EVRNConvertError(QLatin1Char('\'') + text + QStringLiteral("' is not a valid TAlignment value"));
}

TLogFontRecord TReportFont::DefaultRecord() {
    TLogFontRecord record;
    record.lfHeight = -static_cast<std::int32_t>(std::lround(10 * ReportFontDpi / 72));
    record.lfCharSet = 1;
    record.lfOutPrecision = 7;
    record.lfFaceName = QStringLiteral("Arial");
    return record;
}

double TReportFont::PointSize() const {
    const double points = std::abs(record.lfHeight) * 72.0 / ReportFontDpi;
    return std::max(1.0, std::round(points * 2) / 2);
}

QFont TReportFont::Font() const {
    QFont font(record.lfFaceName.isEmpty() ? QStringLiteral("Arial") : record.lfFaceName);
    font.setPointSizeF(PointSize());
    if (record.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(record.lfWeight, 1, 1000)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
}

void TReportFont::SetFont(const QFont& font) {
    record.lfFaceName = font.family().left(LogFontFaceNameLength);
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
    record.lfHeight = -static_cast<std::int32_t>(std::lround(points * ReportFontDpi / 72));
    record.lfWeight = font.weight() == QFont::Normal ? 0 : font.weight();
    record.lfItalic = font.italic() ? 1 : 0;
    record.lfUnderline = font.underline() ? 1 : 0;
    record.lfStrikeOut = font.strikeOut() ? 1 : 0;
}

void TReportFont::Load(const PropertyListPtr& list) {
    if (list)
        ReadFontFromProperties(list, record);
}

void TReportFont::Save(const PropertyListPtr& list) const {
    WriteFontToProperties(list, record);
}

TReportInterval TReportInterval::Default() {
    const double today = TodayDate();
    int year = 0, month = 0, day = 0;
    DecodeDate(today, year, month, day);
    return {EncodeDate(year, month, 1), today};
}

void TReportColumn::Load(const PropertyListPtr& list) {
    id = FindGUIDDef(list, QStringLiteral("id"), TGUID());
    if (id.IsNull())
        id = TGUID::NewGuid();
    name = FindStringDef(list, QStringLiteral("name"), QString());
    caption = FindStringDef(list, QStringLiteral("caption"), name);
    const QString text = FindStringDef(list, QStringLiteral("alignment"), QStringLiteral("leftjustify"));
    try {
        alignment = ReportAlignmentFromText(text);
    } catch (const EVRNConvertError& e) {
        LogException(QStringLiteral("report column \"%1\"").arg(name), e);
        alignment = TReportAlignment::Left;
    }
}

void TReportColumn::Save(const PropertyListPtr& list) const {
    list->Items(QStringLiteral("id"))->SetAsGUID(id);
    list->Items(QStringLiteral("name"))->SetAsString(name);
    if (caption != name)
        list->Items(QStringLiteral("caption"))->SetAsString(caption);
    else
        list->Remove(QStringLiteral("caption"));
    list->Items(QStringLiteral("alignment"))->SetAsString(ReportAlignmentToText(alignment));
}

void TReportColumnSelection::Load(const PropertyListPtr& list) {
    LoadColumns(list, QStringLiteral("available"), available);
    LoadColumns(list, QStringLiteral("selected"), selected);
}

void TReportColumnSelection::Save(const PropertyListPtr& list) const {
    SaveColumns(list, QStringLiteral("available"), available);
    SaveColumns(list, QStringLiteral("selected"), selected);
}

TReportColumn* TReportColumnSelection::Find(const TGUID& id) {
    for (std::vector<TReportColumn>* columns : {&selected, &available})
        for (TReportColumn& column : *columns)
            if (column.id == id)
                return &column;
    return nullptr;
}

void TReportColumnSelection::Ensure(const TGUID& id, const QString& name, TReportAlignment alignment) {
    TReportColumn* column = Find(id);
    if (!column) {
        TReportColumn created;
        created.id = id;
        created.alignment = alignment;
        selected.push_back(created);
        column = &selected.back();
    }
    if (column->caption.isEmpty() || column->caption == column->name)
        column->caption = name;
    column->name = name;
}

void TReportOptions::Load(const PropertyListPtr& reportList) {
    const PropertyListPtr generic = FindList(reportList, kGeneric);
    if (useFont)
        font.Load(FindList(generic, kFont));
    if (useColumns)
        columns.Load(FindList(generic, kColumns));
}

void TReportOptions::Save(const PropertyListPtr& reportList) const {
    const PropertyListPtr generic = EnsureList(reportList, kGeneric);
    generic->Remove(kFont);
    generic->Remove(kInterval);
    generic->Remove(kColumns);
    if (useFont)
        font.Save(EnsureList(generic, kFont));
    if (useInterval)
        EnsureList(generic, kInterval);
    if (useColumns)
        columns.Save(EnsureList(generic, kColumns));
}

PropertyListPtr CustomReportSettings(const PropertyListPtr& reportList) {
    return EnsureList(reportList, kCustom);
}

PropertyListPtr ReadReportList(const PropertyListPtr& reportingSection, const QString& reportName) {
    auto copy = std::make_shared<TPropertyList>();
    if (const PropertyListPtr stored = FindList(reportingSection, reportName))
        copy->Assign(stored);
    return copy;
}

void WriteReportList(const PropertyListPtr& reportingSection, const QString& reportName,
                     const PropertyListPtr& reportList) {
    EnsureList(reportingSection, reportName)->Assign(reportList);
}
