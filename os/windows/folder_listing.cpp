#include "os/folder_listing.h"

#include <windows.h>

// The A calls, as every other file name of the program takes: names come and go
// in the same code page, so what is listed opens again.
std::vector<FolderEntry> listFolder(const std::string& folder)
{
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM))
            continue;
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0 || name[0] == '.'});
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    return entries;
}
