#pragma once

#include <utility>
#include <vector>

#include "ui/frm_main_design.h"

class QWidget;

// How much a design in twips must grow (at most twice) so that the
// default font fits in its controls, at the given pixels per twip.
double fitFactor(const std::vector<std::pair<QWidget*, const ControlDesign*>>& placed, double pxPerTwip);
