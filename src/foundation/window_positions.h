#pragma once
// Where a window was: every window that can be moved and sized stores its size, position and
// state when it closes and takes them back when it opens, in the program's section of
// Brisol.ini under "Form_Höhe", "Form_Weite", "Form_Links", "Form_Oben" and "Form_State", each
// followed by the window's name ("Form_HöheMain"). Sizes and positions are twips, written with a
// decimal point ("7200", "1237.5"); they are read by their leading number.
//
//   Suchen::Suchen() { ... foundation::Fenster_PosLoad(*this, u"Suche"_qs); }
//   void Suchen::Form_Unload(bool&) { foundation::Fenster_PosSave(*this, u"Suche"_qs); }
#include <QString>

namespace platform {
class FormCore;
}

namespace foundation {

// Restores the window before it is shown. Missing keys give the window's present size, centred
// on the screen. A "fenster=" option anywhere in the command line (any case) overrides the
// stored geometry: width, height, left and top in pixels separated by ","; a negative width or
// height is that percentage of the screen, a negative left or top centres. The window is then
// kept on the screen: at least 2000 twips high and wide, at most as large as the screen, its
// bottom 733 twips clear of the screen's bottom where it fits. A window of fixed size keeps its
// present size. A stored state 1 (minimised) or 2 (maximised) is set instead of the geometry,
// unless the window lacks that title button.
void Fenster_PosLoad(platform::FormCore& fenster, const QString& name);

// Stores the window's geometry and state when it closes; a minimised window stores nothing, a
// maximised one its maximised geometry with state 2.
void Fenster_PosSave(platform::FormCore& fenster, const QString& name);

} // namespace foundation
