#include "os/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

std::vector<FolderEntry> listFolder(const std::string& folder)
{
    std::vector<FolderEntry> entries;
    DIR* listing = opendir(folder.c_str());
    if (!listing)
        return entries;
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        // A link counts as what it leads to, as the rest of the program opens it.
        struct stat status;
        bool isFolder = stat((folder + "/" + name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        entries.push_back({name, isFolder, name[0] == '.'});
    }
    closedir(listing);
    return entries;
}
