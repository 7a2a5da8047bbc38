#pragma once
// The draw evenings: Wednesday from 19:00 and Saturday from 20:00.
#include "rtl/DateUtils.h"

// The coming draw seen from jetzt: the same Wednesday until 18:59, the same Saturday until 19:59,
// else the next Wednesday or Saturday (time of day kept).
TDateTime naechster_Ziehungstag(TDateTime jetzt);

// The newest draw that has taken place seen from jetzt: the same Wednesday from 19:00, the same
// Saturday from 20:00, else the Wednesday or Saturday before (time of day kept).
TDateTime letzter_Ziehungstag(TDateTime jetzt);
