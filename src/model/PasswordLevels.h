#pragma once

class CVX50TextDoc;

// Keeps every password level index inside the levels the password table
// defines (the document's HighestPasswordLevel, 0 to 3): after a tidy commit
// of the working list, every function key, register and global button whose
// level index is not below that count drops to index 0 and loses its
// protection. The property pages then refill their level lists and reload
// the element they show (UserInterface::PasswordLevelsChanged); they stay
// bound to that element.
void ApplyPasswordLevelCount(CVX50TextDoc& doc);
