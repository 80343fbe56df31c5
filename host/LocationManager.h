// The host's stand-in for the platform location service: fixes come from the headless script and
// reach the delegate on the UI thread only while updates are started.
#pragma once

#include <functional>
#include <string>

struct LocationFix {
    double latitude = 0;
    double longitude = 0;
    double horizontalAccuracy = 0;
    double altitude = 0;
    double verticalAccuracy = 0;
    std::string description;
};

class LocationManager {
public:
    using Receiver = std::function<void(const LocationFix&)>;

    // The delegate's listenToLocationManager, on the UI thread: the manager now exists.
    static void create(Receiver receiver);
    // Who creates the manager on the first start: the delegate registers itself at launch; without
    // it the manager hands fixes straight to locationFeedback.
    static void setListenHandler(std::function<void()> listen);
    // On the UI thread: the registered handler, or the manager without a delegate.
    static void listen();
    static bool exists();
    // What produces fixes while updates run, told each start (true) and stop (false), and at once
    // whether updates run now; null: none, only the script's fixes come.
    static void setUpdateSource(std::function<void(bool updating)> source);
    static void startUpdatingLocation();
    static void stopUpdatingLocation();
    static bool updatingLocation();
    // On the UI thread. False, with nothing delivered, while updates are stopped.
    static bool deliver(const LocationFix& fix);
    // Forgets the manager, as a new process would start; for tests.
    static void reset();
};
