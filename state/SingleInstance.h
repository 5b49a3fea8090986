// One running copy: a byte in a data section shared by every process of the
// executable.
#pragma once

// Sets the byte; false when another copy already set it.
bool ClaimSingleInstance();
// Clears the byte. Only tests call this, to run several main windows in turn.
void ReleaseSingleInstance();
