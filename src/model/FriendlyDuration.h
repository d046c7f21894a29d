#pragma once

#include <QString>

/// A short text for a duration: "%1 hours" from 2 hours on, else "%1 minutes" with the total
/// minutes when there are any (always in mode 2), else "%1 seconds" with the total seconds (mode 1
/// rounds them down to a multiple of 5). The singular and plural forms come from the catalogue
/// domain "defaultnumeric" with the number as plural selector; without a catalogue the English
/// forms are used.
QString DurationToFriendlyText(int mode, double duration);
