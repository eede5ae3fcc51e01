#include "platform/automation_choice.h"

// Platforms with one back end, fixed when the program is built.
AutomationChoice chooseAutomation() { return {createAutomation(), {}}; }
