#pragma once
// The central error dialog: shows what failed with a tip by error number, records the last
// error in [Fehler] of Brisol.ini and offers the update page or a diagnostics report by e-mail.
#include <QString>

#include <functional>

namespace foundation {

// Answers 0 when errorNumber is 0 (nothing shown); otherwise 2 when the user chose to stop
// (Cancel) and 5 to go on (Yes or No). The error line shows the current error record (rt::Err).
int FehlerBehandlung(int errorNumber, const QString& text);

// Tests: FehlerBehandlung hands every error to this recorder instead of showing the dialog (an
// empty function goes back to the dialog).
using FehlerBehandlungErsatz = std::function<int(int errorNumber, const QString& text)>;
void setFehlerBehandlungFuerTests(FehlerBehandlungErsatz ersatz);

} // namespace foundation
