// Moves SaverSettings between memory and the current user's registry key
// "Software\Orvalex\Pennydance". Neither direction reports failure: a missing
// key or value keeps its default, a failed save goes unnoticed.
#pragma once

// Every field to its default, then whatever the key holds, unbounded.
void LoadSaverSettings();

// Writes the six fields as they stand, creating the key if need be.
void SaveSaverSettings();
