#pragma once
// Who uses the program and which installation it is: the user's name, the logon name, the
// installation's identifier in Brisol.ini and new GUID texts.
#include <QString>

#include <optional>

namespace foundation {

// The user's name as the program shows and records it; never empty. [Allgemein] "User" of
// Brisol.ini holds it; "%user" (any case) there follows the logon name. When the key is empty,
// the name comes from the logon name, the environment ("User", "USERID", "Station",
// "Username") or [MS User Info] "DefName" of win.ini, trimmed, cut to 99 characters and in
// proper case, and is stored. When none gives a name, an input box asks until a name that is
// not only blanks is typed. A name stored by this call is returned in the form that later calls
// read back (proper case, a line break for "**", a double quote for a closing German quote).
QString Benutzername();

// The logon name of the current user (the password database, else the variable USER), trimmed;
// "" when there is none.
QString WindowsAnmeldename();

// The installation's identifier: [Allgemein] "UserGUID" of Brisol.ini; a value shorter than 12
// characters is replaced by a new GUID, which is stored.
QString UserGUIDLesen();

// A new GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (38 characters, capital letters).
QString NeueGUID();

// Whether the installation's identifier is one of the maker's own installations.
bool IstInterneInstallation();

// Tests: the logon name to use in place of the system's (nullopt = the system's).
void setAnmeldenameFuerTests(std::optional<QString> name);

} // namespace foundation
