#pragma once

#include "lookup/MessagePump.h"
#include "platform/imm/InputMethodManager.h"

#include <QByteArrayView>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// quilldex2-readings: for each character of UTF-8 text, the line that the window's listing shows
// for it, found the same way (toChinese, then ImeQueryComp).
namespace readings {

struct Options {
    bool all = false;  // every reading the IME lists, not only the first
    bool help = false; // print the usage and list nothing
};

// Options from the command line (without the program name); nothing, with `error` set, when it
// holds anything else.
std::optional<Options> parseArguments(const QStringList& arguments, QString& error);

QString usageText();

// The message pump of a program without windows: a fixed handle stands for the active form, and
// pending messages are the events posted to this thread.
class ConsolePump final : public lookup::MessagePump {
public:
    std::optional<imm::HWND> activeFormWindow() const override { return kWindow; }
    void processPendingMessages() override;

    static constexpr imm::HWND kWindow = 1;
};

struct ListingError {
    std::size_t byteOffset; // where the input stops being UTF-8
};

// Lists every character of `input` (UTF-8): the character, a space and its first reading, or with
// `all` every reading, separated by spaces; one line each, ended by "\n". Line breaks (LF, CR)
// separate lines of the input and are not listed. `write` receives the output in pieces. Invalid
// UTF-8 lists nothing and gives the offset of the first bad byte.
std::optional<ListingError> listReadings(QByteArrayView input, const Options& options,
                                         imm::InputMethodManager& imm, lookup::MessagePump& pump,
                                         const std::function<void(std::string_view)>& write);

} // namespace readings
