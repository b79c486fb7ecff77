#pragma once

#include <string>

/// The user's Roaming application-data folder into `path`; false (path
/// unchanged) when the system does not define one.
bool GetRoamingFolder(std::string& path);

/// The user's Documents folder into `path`; false when there is none.
bool GetDocumentsFolder(std::string& path);
