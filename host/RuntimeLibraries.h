// The runtime's optional libraries join the launcher's static set-up, tear-down and polling
// lists, in the runtime's order (runtime code never reaches the launcher itself).
#pragma once

// Called once before the launch; calling it again adds nothing.
void joinRuntimeLibraries();
