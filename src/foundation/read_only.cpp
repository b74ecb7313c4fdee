#include "read_only.h"

namespace foundation {

bool nurLesen = false;

void resetNurLesen()
{
    nurLesen = false;
}

} // namespace foundation
