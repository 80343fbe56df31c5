// The functions the host implements for the runtime; the only header through which runtime code
// reaches the host.
#pragma once

#include <cstdint>

// Asks the platform to open the URL in the browser: 1 when asked, 0 when the text is no URL.
int32_t URLplatformRequest(const char* url);

constexpr int32_t SMS_RESULT_SENT = 1;
constexpr int32_t SMS_RESULT_NOT_SENT = 2;

// Shows the message composer with one recipient and the text, and answers this send's own
// outcome once the composer has finished: SMS_RESULT_SENT, or SMS_RESULT_NOT_SENT when it was
// cancelled or failed or no composer could be shown (then at once). Sends from several threads
// never see each other's outcome. The texts are copied before the call returns.
int32_t sendSMS(const char* smsAddressValue, const char* smsMessageValue);

// 1 when a composer can be shown and send text, else 0.
int32_t canSendSMS();

// A binary message passed its checks but was not sent (the composer takes text only): logged.
void binaryMessageNotSent(const char* recipient);

// The locale's identifier as language_REGION (for example "de_DE"), from the environment
// (LC_ALL, then LC_MESSAGES, then LANG); "en_US" when none names one. The text lives as long as
// the process.
const char* getLocale();

// 1 or 0: the device profile's screen is retina; its model name begins with "iPad"; with "iPhone".
int32_t isRetinaDisplay();
int32_t isIPad();
int32_t isIPhone();

// UTF-16 units to the 8-bit multibyte form, one unit at a time (a surrogate half becomes its own
// three bytes): a new std::malloc block of at most 3 x length + 1 bytes, ending with 0, which the
// caller frees. A null text or a length below 1 gives an empty text.
char* utf8EncodeString(const uint16_t* units, int32_t length);

// A deep listing of the directory: each call of directoryFileListNext gives the next entry's path
// relative to it (subdirectories and their entries included; names in byte order within each
// directory, a directory before its entries; symbolic links not followed), then null at the end
// and after it. The texts stay valid until the listing ends or a new one starts. One listing at a
// time; a missing or unreadable directory lists nothing.
void directoryFileListStart(const char* path);
const char* directoryFileListNext();

// Location updates: the first start has the UI thread create the location manager and waits for
// it; fixes then reach locationFeedback on the UI thread until the updates are stopped.
void startLocationManager();
void stopLocationManager();

// Implemented by the sensor and location libraries and called by the host on the UI thread: one
// accelerometer sample in g, and one location fix (value always 0, description ASCII or null).
void setTilt(float x, float y, float z);
void locationFeedback(double latitude, double longitude, double horizontalAccuracy, double altitude,
                      double verticalAccuracy, int64_t value, const char* description);
