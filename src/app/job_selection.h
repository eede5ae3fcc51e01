#pragma once

#include "platform/status.h"

#include <functional>

class FrmMain;
class DesktopServices;
namespace settings {
class SettingsStore;
}

enum class JobStep { Continue, Closed };
using StepRunner = std::function<JobStep(const std::function<Status()>&)>;

// Puts today's job on the slider: today's weekday first, then today's day
// of the month, which wins. Each read-convert-assign is one step of the run.
// chosenBy names what decided: "day-of-month", "weekday", or "remembered"
// when neither is ticked and the slider keeps its stored job.
JobStep selectTodaysJob(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services,
                        const StepRunner& runStep, std::string& chosenBy);
