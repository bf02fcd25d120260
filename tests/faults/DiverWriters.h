#pragma once

// The diver record writes of the fault tests, apart because the planner's
// and the dialogs' headers cannot meet in one file.

// Saves the record "Charlie" in the settings file.
void SaveCharliesRecord();
// Deletes the record "Alpha" from the settings file.
void DeleteAlphasRecord();
