#pragma once

#include "lookup/MessagePump.h"
#include "tools/readings/OutputFormat.h"

#include <QStringList>

#include <optional>

// quilldex2-readings: for each character of UTF-8 text, the line that the window's listing shows
// for it, found the same way (toChinese, then ImeQueryComp); or readings chosen by context, and
// other ways of setting them out.
namespace readings {

struct Options {
    bool all = false;     // every reading the IME lists, not only the first
    bool context = false; // each character read as the word it stands in
    Format format = Format::Lines;
    bool help = false;    // print the usage and list nothing
    bool version = false; // print the version and list nothing
};

// Options from the command line (without the program name); nothing, with `error` set, when it
// holds anything else or a combination that means nothing.
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

} // namespace readings
