#pragma once

/// Makes the program's icons known to the user interface by their ids.
void RegisterIcons();
