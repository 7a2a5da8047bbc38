#include "Ziehungstage.h"

namespace {

int Stunde(TDateTime t)
{
    int stunde, minute, sekunde, ms;
    DecodeTime(t, stunde, minute, sekunde, ms);
    return stunde;
}

}  // namespace

TDateTime naechster_Ziehungstag(TDateTime jetzt)
{
    switch (DayOfWeek(jetzt)) {
    case 1: return IncDay(jetzt, 3);
    case 2: return IncDay(jetzt, 2);
    case 3: return IncDay(jetzt, 1);
    case 4: return Stunde(jetzt) >= 19 ? IncDay(jetzt, 3) : jetzt;
    case 5: return IncDay(jetzt, 2);
    case 6: return IncDay(jetzt, 1);
    default: return Stunde(jetzt) >= 20 ? IncDay(jetzt, 4) : jetzt;
    }
}

TDateTime letzter_Ziehungstag(TDateTime jetzt)
{
    switch (DayOfWeek(jetzt)) {
    case 1: return IncDay(jetzt, -1);
    case 2: return IncDay(jetzt, -2);
    case 3: return IncDay(jetzt, -3);
    case 4: return Stunde(jetzt) < 19 ? IncDay(jetzt, -4) : jetzt;
    case 5: return IncDay(jetzt, -1);
    case 6: return IncDay(jetzt, -2);
    default: return Stunde(jetzt) < 20 ? IncDay(jetzt, -3) : jetzt;
    }
}
