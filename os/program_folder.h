// The folder the program keeps its skins and eyes.ini in: the working directory,
// so that one program runs several faces from several folders. On Linux it is
// always the working directory the launcher or the user chose. On Windows, a
// working directory without a skins folder (the log-on start from the Run key,
// which begins elsewhere) gives way to the folder of glimora.exe, unpacked with
// its skins.
#pragma once

// Makes that folder the working directory; false when it cannot.
bool enterProgramFolder();
