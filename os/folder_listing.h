// A folder's entries under the names the file system gives them, byte for byte:
// a name need not be valid in any encoding, and it must reach the file system
// again exactly as it came.
#pragma once

#include <string>
#include <vector>

struct FolderEntry {
    std::string name;
    bool isFolder = false;
    bool hidden = false;
};

// In the file system's own order, without "." and ".."; empty when the folder
// cannot be read. System entries (Windows) are left out.
std::vector<FolderEntry> listFolder(const std::string& folder);
