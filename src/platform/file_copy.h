#pragma once
// Copying a file so that nothing can be lost on the way: an existing target is never replaced,
// and a copy counts only when it is complete. A caller that moves a file deletes the original
// only after copyFileSafely succeeded.
#include <QString>

namespace platform {

// Copies the file from to the path to (names found without regard to case; a new target gets
// the spelling given) and gives it the modification time of the original. False, with the
// current error record filled, when:
// - a file or folder of that name is already at the target (58); it is left untouched;
// - the original is missing (53) or the target's folder is (76);
// - the copy was refused (70) or failed otherwise (75);
// - the copy does not have the size of the original (57).
// A copy that failed half-way is removed again, so the target is as it was before the call.
// The copy is written under copyTemporaryName(to) and renamed to the target only when complete:
// a process killed during the copy leaves at most that temporary file, which the next copy to
// the same target (or a caller cleaning up) removes.
bool copyFileSafely(const QString& from, const QString& to);

// The name under which copyFileSafely writes the copy for to: a hidden file beside it.
QString copyTemporaryName(const QString& to);

} // namespace platform
