// Who holds a claim on a job: the machine (its name and the boot it is in)
// and the process. A prover finding a claim made on its own machine by a
// process that is gone frees it at once, instead of waiting out the minute
// that a claim from another machine is given.
#pragma once

#include <QString>

// This process, as its claims name it.
QString thisClaimer();
// True when the claim was made on this machine, since its last boot, by a
// process that has ended.
bool claimerGone(const QString& claimer);
