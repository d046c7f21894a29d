#pragma once

// Saving everything: the options, the activities and the work data, each step tried even when an
// earlier one failed, failed steps tried again and then asked about.

#include <QString>
#include <functional>
#include <vector>

class QWidget;

struct TSaveStep {
    /// The question's text when the step fails twice (source text, translated when shown).
    const char* failureText;
    std::function<void()> run;
};

/// Runs every step; then each failed step once more, and while it keeps failing asks (error box
/// with the failure as details) Retry / Ignore at shutdown or Retry / Save Later otherwise; any
/// answer but Retry gives the step up. Shows the busy cursor meanwhile. Never raises. Returns
/// whether every step succeeded in the end.
bool RunSaveSteps(const std::vector<TSaveStep>& steps, bool atShutdown, QWidget* owner = nullptr);
