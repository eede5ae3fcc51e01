#pragma once

#include <memory>

class Automation;
class SingleInstance;

// Whether this start may go on. A second start while one runs shows the
// user the running one, says so on standard error and must then end with
// exit_status::kAlreadyRunning without touching the settings.
// makeAutomation is only called in that case.
bool mayRunNow(const SingleInstance& instance, std::unique_ptr<Automation> (*makeAutomation)());
