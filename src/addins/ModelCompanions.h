#pragma once

// Companions of the program's model objects: properties, activities, locators and the display info.
// Each function returns a new companion with one reference for the caller (null for a null object);
// the companion keeps its object alive until released. Raise std::bad_alloc.

#include "model/ActivityInterfaces.h"
#include "model/ActivityLocator.h"
#include "model/ActivityLocatorList.h"
#include "model/PropertyInterfaces.h"

#include <HoraluxSDK.h>

class TDisplayInfo;

HoraluxSDK::IHXProperty* NewPropertyCompanion(const std::shared_ptr<IHXProperty_>& property);
HoraluxSDK::IHXPropertyList* NewPropertyListCompanion(const std::shared_ptr<IHXPropertyList_>& list);
HoraluxSDK::IHXPropertyValueList* NewPropertyValueListCompanion(const std::shared_ptr<IHXPropertyValueList_>& list);
HoraluxSDK::IHXActivity* NewActivityCompanion(const ActivityPtr& activity);
HoraluxSDK::IHXActivityList* NewActivityListCompanion(const ActivityListPtr& list);
HoraluxSDK::IHXActivityTree* NewActivityTreeCompanion(const ActivityTreePtr& tree);
HoraluxSDK::IHXActivityLocator* NewActivityLocatorCompanion(const ActivityLocatorPtr& locator);
HoraluxSDK::IHXActivitySource* NewActivitySourceCompanion(const ActivitySourcePtr& source);
HoraluxSDK::IHXActivityLocatorList* NewActivityLocatorListCompanion(const std::shared_ptr<TActivityLocatorList>& list);
HoraluxSDK::IHXActivityLocatorHistoryList*
NewActivityLocatorHistoryListCompanion(const std::shared_ptr<TActivityLocatorHistoryList>& list);
HoraluxSDK::IHXDisplayInfo* NewDisplayInfoCompanion(const std::shared_ptr<TDisplayInfo>& info);
