#include "host/Script.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "runtime/io/FileSystem.h"

namespace {

using Kind = ScriptCommand::Kind;

// A word from the script as an error message shows it: a short prefix, other bytes than printable
// ASCII escaped, so that neither a huge word nor control bytes reach the terminal.
std::string quote(std::string_view word) {
    constexpr size_t SHOWN = 40;
    std::string out = "'";
    for (const char c : word.substr(0, SHOWN)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            constexpr char HEX[] = "0123456789abcdef";
            out += "\\x";
            out += HEX[byte >> 4];
            out += HEX[byte & 15];
        }
    }
    if (word.size() > SHOWN) out += "...";
    return out + "'";
}

class LineReader {
public:
    LineReader(int32_t line, std::string_view rest) : m_line(line), m_rest(rest) {}

    [[noreturn]] void fail(const std::string& message) const { throw ScriptError(m_line, message); }

    std::optional<std::string_view> word() {
        skipBlanks();
        if (m_rest.empty()) return std::nullopt;
        size_t end = 0;
        while (end < m_rest.size() && !isBlank(m_rest[end])) ++end;
        std::string_view found = m_rest.substr(0, end);
        m_rest.remove_prefix(end);
        return found;
    }

    std::string_view requireWord(const char* what) {
        std::optional<std::string_view> found = word();
        if (!found) fail(std::string("missing ") + what);
        return *found;
    }

    double number(const char* what, double low, double high) {
        const std::string_view text = requireWord(what);
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
            fail(std::string(what) + " is no number: " + quote(text));
        if (value < low || value > high) {
            std::ostringstream message;
            message << what << " " << value << " is outside " << low << " to " << high;
            fail(message.str());
        }
        return value;
    }

    int64_t integer(const char* what, int64_t low, int64_t high) {
        const std::string_view text = requireWord(what);
        int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc{} || end != text.data() + text.size())
            fail(std::string(what) + " is no whole number: " + quote(text));
        if (value < low || value > high)
            fail(std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(low) + " to " +
                 std::to_string(high));
        return value;
    }

    // A double-quoted text; \" and \\ stand for themselves. Printable ASCII only.
    std::string quoted(const char* what) {
        skipBlanks();
        if (m_rest.empty() || m_rest.front() != '"') fail(std::string("missing quoted ") + what);
        std::string out;
        size_t i = 1;
        for (;; ++i) {
            if (i >= m_rest.size()) fail(std::string("unterminated quoted ") + what);
            char c = m_rest[i];
            if (c == '"') break;
            if (c == '\\' && i + 1 < m_rest.size() && (m_rest[i + 1] == '"' || m_rest[i + 1] == '\\')) c = m_rest[++i];
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
                fail(std::string(what) + " must be printable ASCII");
            out.push_back(c);
        }
        m_rest.remove_prefix(i + 1);
        return out;
    }

    std::string_view rest() {
        skipBlanks();
        std::string_view all = m_rest;
        while (!all.empty() && isBlank(all.back())) all.remove_suffix(1);
        m_rest = {};
        return all;
    }

    bool hasMore() {
        skipBlanks();
        return !m_rest.empty();
    }

    void finish() {
        if (std::optional<std::string_view> extra = word()) fail("unexpected " + quote(*extra));
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
    void skipBlanks() {
        while (!m_rest.empty() && isBlank(m_rest.front())) m_rest.remove_prefix(1);
    }

    int32_t m_line;
    std::string_view m_rest;
};

ScriptCommand parseLine(LineReader& in, std::string_view name, double width, double height) {
    ScriptCommand command;
    const auto point = [&] {
        // The last point of the screen is just below its size.
        command.x = in.number("X", 0, width);
        command.y = in.number("Y", 0, height);
        if (command.x >= width || command.y >= height) in.fail("the point lies outside the screen");
    };
    if (name == "wait") {
        command.kind = Kind::Wait;
        command.millis = in.integer("MS", 0, Script::MAX_MILLIS);
    } else if (name == "wait_frames") {
        command.kind = Kind::WaitFrames;
        command.count = in.integer("N", 1, 1'000'000);
        command.millis = in.integer("TIMEOUT_MS", 0, Script::MAX_MILLIS);
    } else if (name == "down" || name == "move" || name == "up") {
        command.kind = name == "down" ? Kind::Down : name == "move" ? Kind::Move : Kind::Up;
        point();
    } else if (name == "tap") {
        command.kind = Kind::Tap;
        point();
        command.millis = Script::DEFAULT_TAP_HOLD_MS;
        if (in.hasMore()) command.millis = in.integer("HOLD_MS", 0, Script::MAX_MILLIS);
    } else if (name == "pause") {
        command.kind = Kind::Pause;
    } else if (name == "resume") {
        command.kind = Kind::Resume;
    } else if (name == "terminate") {
        command.kind = Kind::Terminate;
    } else if (name == "accel") {
        command.kind = Kind::Accel;
        command.x = in.number("X", -16, 16);
        command.y = in.number("Y", -16, 16);
        command.z = in.number("Z", -16, 16);
        command.millis = 0;
        if (std::optional<std::string_view> word = in.word()) {
            if (*word != "for") in.fail("expected 'for MS', got " + quote(*word));
            command.millis = in.integer("MS", 0, Script::MAX_MILLIS);
        }
    } else if (name == "location") {
        command.kind = Kind::Location;
        command.fix.latitude = in.number("LAT", -90, 90);
        command.fix.longitude = in.number("LON", -180, 180);
        command.fix.horizontalAccuracy = in.number("HACC", -1, 1e7);
        command.fix.altitude = in.number("ALT", -1e6, 1e6);
        command.fix.verticalAccuracy = in.number("VACC", -1, 1e7);
        command.fix.description = in.quoted("TEXT");
    } else if (name == "sms_result") {
        command.kind = Kind::SmsResult;
        const std::string_view answer = in.requireWord("sent|cancelled|failed|unavailable");
        if (answer == "sent") command.answer = SMSComposer::Answer::Sent;
        else if (answer == "cancelled") command.answer = SMSComposer::Answer::Cancelled;
        else if (answer == "failed") command.answer = SMSComposer::Answer::Failed;
        else if (answer == "unavailable") command.answer = SMSComposer::Answer::Unavailable;
        else in.fail("sms_result takes sent, cancelled, failed or unavailable, not " + quote(answer));
    } else if (name == "capture") {
        command.kind = Kind::Capture;
        command.text = std::string(in.requireWord("FILE.png"));
        if (command.text.size() < 5 || command.text.compare(command.text.size() - 4, 4, ".png") != 0)
            in.fail("capture needs a file name ending in .png");
        for (const char c : command.text)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) in.fail("capture's file name " + quote(command.text) + " holds control bytes");
    } else if (name == "expect_log") {
        command.kind = Kind::ExpectLog;
        command.text = std::string(in.rest());
        if (command.text.empty()) in.fail("missing TEXT");
    } else if (name == "audio_interruption") {
        command.kind = Kind::AudioInterruption;
        const std::string_view phase = in.requireWord("begin|end");
        if (phase != "begin" && phase != "end")
            in.fail("audio_interruption takes begin or end, not '" + std::string(phase) + "'");
        command.count = phase == "begin" ? 1 : 0;
    } else if (name == "end") {
        command.kind = Kind::End;
    } else {
        in.fail("unknown command " + quote(name));
    }
    in.finish();
    return command;
}

}  // namespace

ScriptError::ScriptError(int32_t line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), m_line(line) {}

std::vector<ScriptCommand> Script::parse(std::string_view text, double screenWidth, double screenHeight) {
    constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
    if (text.starts_with(BYTE_ORDER_MARK)) text.remove_prefix(BYTE_ORDER_MARK.size());
    std::vector<ScriptCommand> commands;
    int32_t line = 0;
    while (!text.empty()) {
        ++line;
        const size_t end = text.find('\n');
        std::string_view content = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        LineReader in(line, content);
        const std::optional<std::string_view> name = in.word();
        if (!name || name->front() == '#') continue;
        ScriptCommand command = parseLine(in, *name, screenWidth, screenHeight);
        command.line = line;
        commands.push_back(std::move(command));
        // What follows "end" is not part of the script.
        if (commands.back().kind == Kind::End) break;
    }
    return commands;
}

std::string Script::load(const std::string& path) {
    const java::io::FileRead file = java::io::FileSystem::readRegularFile(path, MAX_FILE_BYTES);
    if (file) return std::string(file.bytes.begin(), file.bytes.end());
    std::string problem = file.whyNot;
    if (file.refusal == java::io::FileRead::Refusal::NotRegular) problem = "it is no regular file";
    if (file.refusal == java::io::FileRead::Refusal::TooLarge) problem = "it is " + file.whyNot;
    throw std::runtime_error("cannot read the script '" + path + "': " + problem);
}
