// Saving the story into a save slot from the front-end screens (the world-map menu's save and
// autosave). Game thread.
#pragma once

// Writes SaveData into story slot nSlot (cSaveData::SaveSlot). A slot outside the slot list (-1
// while no slot is known yet) is refused without writing anything. A file that cannot be written
// is told to the user in an error box naming it (the old file and the slot list stay as they
// were). 1 when the slot was written, else 0.
int SaveStorySlot(int nSlot);

// nSlot names an existing story slot (0..98).
bool IsStorySlot(int nSlot);
