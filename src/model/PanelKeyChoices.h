#pragma once

#include <vector>

class CFuncKeyElement;
class CVX50TextDoc;

// The panel keys a function key of the edited screen may still take, in the
// order the function-key page lists them: the 24 keys less those of the
// working list's other function keys, less SET while a register of the
// screen is entered with SET, less ALM while the project has an alarm list.
std::vector<int> FreePanelKeys(const CVX50TextDoc& document, const CFuncKeyElement* bound);

// Keeps `key`'s panel key when it is still free, otherwise gives it the first
// free key (none free: unchanged). The project is not marked modified.
void FitKeyToFreePanelKeys(const CVX50TextDoc& document, CFuncKeyElement& key);

// Whether a function key of the edited screen is on SET: a register of that
// screen may then not be made settable (the panel's SET key would do both).
bool HasSetFunctionKey(const CVX50TextDoc& document);
