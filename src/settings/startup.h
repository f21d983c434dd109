// Whether the desktop starts the program at logon.
#pragma once

void SetRunOnStartup(bool enable);
bool IsRunOnStartup();
