#pragma once

#include "platform/automation.h"

#include <memory>

// The X11 back end, on a connection to $DISPLAY of its own.
std::unique_ptr<Automation> createX11Automation();
