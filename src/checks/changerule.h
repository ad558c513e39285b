#pragma once

#include <QString>

// Why a value deserves a second look beside last year's: it grew or fell more than threefold
// with both above 0, or it is 0 where last year's was above 0. "Минулого року: 579", or nothing.
QString doubtfulChangeReason(double last, double current);
