#pragma once
// Where the library hands an error to the central error dialog (foundation::FehlerBehandlung).
// The dialog is connected at start-up with setFehlerBehandlungHook; tests install a recorder.
#include <QString>

#include <functional>

namespace textlib {

// Shows the error (number and text) and answers 2 (stop) or 5 (go on).
using FehlerBehandlungHook = std::function<int(int errorNumber, const QString& text)>;

// An empty hook shows nothing and answers 2.
void setFehlerBehandlungHook(FehlerBehandlungHook hook);

// Passes the error to the hook and gives its answer.
int fehlerMelden(int errorNumber, const QString& text);

} // namespace textlib
