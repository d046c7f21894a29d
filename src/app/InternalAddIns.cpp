#include "app/InternalAddIns.h"

#include "activities_ui/ActivityEditorAddIn.h"
#include "addins/ActivityEntryProviderAddIn.h"
#include "addins/InternalAddInManager.h"
#include "addins/NoTrackingTrackerAddIn.h"
#include "addins/StorageFileProviderAddIn.h"
#include "calendar_ui/BaseCalendarAddIn.h"
#include "calendar_ui/HolidayImportAddIn.h"
#include "export_ui/BaseExportAddIn.h"
#include "formatting_ui/FormattingOptionsAddIn.h"
#include "options_ui/AddInOptions.h"
#include "options_ui/LanguageOptions.h"
#include "options_ui/ProgramOptions.h"
#include "reports_ui/ReportAddIns.h"
#include "tracking_ui/BaseTrackingAddIn.h"
#include "tracking_ui/GeneralTrackingOptions.h"
#include "worksheet_ui/WorksheetAddIn.h"

namespace {

// The built-in add-ins in their load order. Each part of the program that brings an add-in takes
// its place here: add-in options page, No tracking, worksheet, regular tracker, activity report,
// export, holiday import, date formatting options, language options, general options, day report,
// activity editor, activity entry provider, calendar, storage file provider, tracking options.
void RegisterProgramAddIns(TInternalAddInManager& table) {
    table.RegisterInternalAddIn<TAddInOptionsPage>(QStringLiteral("TAddInOptionsPage"));
    table.RegisterInternalAddIn<TNoTrackingTrackerAddIn>(QStringLiteral("TNoTrackingTrackerAddIn"));
    table.RegisterInternalAddIn<TWorksheetAddIn>(QStringLiteral("TWorksheetAddIn"));
    table.RegisterInternalAddIn<TRegularTrackingAddIn>(QStringLiteral("TRegularTrackingAddIn"));
    table.RegisterInternalAddIn<TBaseActivityReport>(QStringLiteral("TBaseActivityReport"));
    table.RegisterInternalAddIn<TBaseExportAddIn>(QStringLiteral("TBaseExportAddIn"));
    table.RegisterInternalAddIn<THolidayImportAddIn>(QStringLiteral("THolidayImportAddIn"));
    table.RegisterInternalAddIn<TAddInFormattingOptions>(QStringLiteral("TAddInFormattingOptions"));
    table.RegisterInternalAddIn<TAddInLanguageOptions>(QStringLiteral("TAddInLanguageOptions"));
    table.RegisterInternalAddIn<TProgramOptions>(QStringLiteral("TProgramOptions"));
    table.RegisterInternalAddIn<TSimpleRichTextDayReportAddIn>(QStringLiteral("TSimpleRichTextDayReportAddIn"));
    table.RegisterInternalAddIn<TActivityEditorAddIn>(QStringLiteral("TActivityEditorAddIn"));
    table.RegisterInternalAddIn<TActivityEntryProviderAddIn>(QStringLiteral("TActivityEntryProviderAddIn"));
    table.RegisterInternalAddIn<TBaseCalendarAddIn>(QStringLiteral("TBaseCalendarAddIn"));
    table.RegisterInternalAddIn<TStorageFileProviderAddIn>(QStringLiteral("TStorageFileProviderAddIn"));
    table.RegisterInternalAddIn<TGeneralTrackingOptions>(QStringLiteral("TGeneralTrackingOptions"));
}

} // namespace

TInternalAddInManager& ProgramInternalAddIns() {
    static TInternalAddInManager table = [] {
        TInternalAddInManager created;
        RegisterProgramAddIns(created);
        return created;
    }();
    return table;
}
