#pragma once

#include "foundation/GUID.h"

#include <QString>
#include <memory>

class TActivityTree;

/// The process-wide table from the IDs of the default activities to their translated names. An
/// activity without a "name" value shows the name found here, so the default activities follow
/// the user-interface language until the user renames them.
QString DefaultActivityName(const TGUID& id);
void SetDefaultActivityName(const TGUID& id, const QString& name);
void ClearDefaultActivityNames();

/// Adds the default activities (Common with Meeting, Administration, Travel and Vacation; Projects
/// with "Add your projects here"; Breaks with Lunch and Private) to tree and fills the default
/// names table in the current language. Run once at every start, on an empty tree.
void BuildDefaultActivityTree(const std::shared_ptr<TActivityTree>& tree);
