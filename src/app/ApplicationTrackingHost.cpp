#include "app/ApplicationTrackingHost.h"

#include "app/Application.h"
#include "calendar/PlannedBreak.h"
#include "model/ActivityBooker.h"
#include "model/Entry.h"
#include "model/EntryInterfaces.h"
#include "storage/StorageInterfaces.h"
#include "tracking/TrackingEntries.h"
#include "tracking/TrackingManagerInterface.h"
#include "tracking/TrackingSettings.h"

#include <cmath>

TApplicationTrackingHost::TApplicationTrackingHost(THXApplication& application, TDayEntryStorageSource entries)
    : m_application(application), m_entries(std::move(entries)) {}

std::shared_ptr<IHXProperty_> TApplicationTrackingHost::FindOption(const QString& key) const {
    const PropertyListPtr section = m_application.GetOptions(TrackingSettings::SectionName);
    return section ? section->Find(key) : nullptr;
}

std::optional<QString> TApplicationTrackingHost::ReadStringOption(const QString& key) {
    const auto property = FindOption(key);
    if (!property)
        return std::nullopt;
    switch (property->DataType()) {
    case hxpdtString:
        return property->AsString();
    case hxpdtGUID:
        return property->AsGUID().ToString();
    default:
        return std::nullopt;
    }
}

std::optional<qint64> TApplicationTrackingHost::ReadIntegerOption(const QString& key) {
    const auto property = FindOption(key);
    if (!property || property->DataType() != hxpdtInteger)
        return std::nullopt;
    return property->AsInteger();
}

std::optional<double> TApplicationTrackingHost::ReadDateTimeOption(const QString& key) {
    const auto property = FindOption(key);
    if (!property)
        return std::nullopt;
    switch (property->DataType()) {
    case hxpdtDateTime:
        return property->AsDateTime();
    case hxpdtTime:
        return property->AsTime();
    case hxpdtDate:
        return property->AsDate();
    default:
        return std::nullopt;
    }
}

void TApplicationTrackingHost::WriteStringOption(const QString& key, const QString& value) {
    m_application.GetOptions(TrackingSettings::SectionName)->Items(key)->SetAsString(value);
}

void TApplicationTrackingHost::WriteDateTimeOption(const QString& key, double value) {
    m_application.GetOptions(TrackingSettings::SectionName)->Items(key)->SetAsDateTime(value);
}

void TApplicationTrackingHost::GetActivityEntries(double fromDate, double toDate,
                                                  std::vector<TTrackingEntry>& entries) {
    if (const std::shared_ptr<IHXDayEntryStorage> storage = m_entries ? m_entries() : nullptr)
        ReadTrackingEntries(*storage, fromDate, toDate, entries);
}

std::vector<TPlannedBreakValues> TApplicationTrackingHost::LoadPlannedBreaks() {
    return LoadPlannedBreakValues(m_application.GetOptions(PlannedBreaksSectionName));
}

TrackerAddInPtr TApplicationTrackingHost::FindTracker(const QString& id) {
    if (!m_manager)
        return nullptr;
    for (int i = 0; i < m_manager->GetTrackerCount(); ++i) {
        TrackerAddInPtr tracker = m_manager->GetTracker(i);
        if (tracker && SameTrackerID(tracker->GetID(), id))
            return tracker;
    }
    return nullptr;
}

bool TApplicationTrackingHost::HasCurrentWindow() {
    return m_application.HasCurrentWindow();
}

bool TApplicationTrackingHost::IsTrayMenuActive() {
    return m_application.IsTrayMenuActive();
}

bool TApplicationTrackingHost::CanShowWindow() {
    return m_application.CanShowWindow();
}

void TApplicationTrackingHost::SaveAll() {
    m_application.SaveAll();
}
