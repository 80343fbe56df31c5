// The host's message composer: a stand-in that logs each message it is shown and finishes it with
// the answer that tests or the headless script chose. "Unavailable" until one is chosen, so that a
// send never waits for a user who is not there.
#pragma once

#include <cstdint>
#include <string>

class SMSHandler;
class SMSHandshake;

class SMSComposer {
public:
    enum class Answer : int32_t { Sent, Cancelled, Failed, Unavailable };

    struct ShownMessage {
        std::string recipient;
        std::string body;
    };

    static void setAnswer(Answer answer);
    static bool canSendText();
    // Called on the UI thread. Finishes through the delegate before it returns, so that even a
    // sender on the UI thread itself has its outcome when the composer is gone.
    static void present(const SMSHandshake& texts, SMSHandler& delegate);
    // The recipient and body of the last message presented; empty before any.
    static ShownMessage lastShown();
};
