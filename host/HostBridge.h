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
