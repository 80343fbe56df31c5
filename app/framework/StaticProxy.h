// Creates and releases the application's class statics, inside the launcher's static set-up and
// tear-down.
#pragma once

class StaticProxy {
public:
    static void initialiseAllStatics();
    static void destroyAllStatics();
    // Joins the launcher's pre-start and post-stop lists; once is enough, again changes nothing.
    static void registerWithLauncher();
};
