#include "store/store_state.h"

namespace store {

QString korvanelKuerzel;
QString aktDatum;
QString aktTagesdatei;
QString kennwortLesen;
QString kennwortSchreiben;
QString schluessel;
int ungesichert = 0;

void resetStoreState()
{
    korvanelKuerzel.clear();
    aktDatum.clear();
    aktTagesdatei.clear();
    kennwortLesen.clear();
    kennwortSchreiben.clear();
    schluessel.clear();
    ungesichert = 0;
}

} // namespace store
