// The folder the program keeps its skins and eyes.ini in. On Linux it is the
// working directory the launcher or the user chose. On Windows it is the folder
// of glimora.exe, unpacked with its skins: Explorer, shortcuts and the Run key at
// logon start programs in folders of their own.
#pragma once

// Makes that folder the working directory; false when it cannot.
bool enterProgramFolder();
