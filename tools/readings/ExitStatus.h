#pragma once

// How quilldex2-readings ends, as its usage text lists it. A status other than Listed means its
// output, if any, must not be taken for the input's readings.
namespace readings {

enum class ExitStatus : int {
    Listed = 0,
    Failed = 1,               // input not UTF-8, or standard input or output failed
    BadArguments = 2,         // an argument the program does not know
    NoDictionary = 3,         // the phonetic dictionary is missing
    UnreadableDictionary = 4, // it is there but cannot be read
    DamagedDictionary = 5,    // it is there but damaged
    OutOfMemory = 6,          // as when a line of the input is too long to hold
};

constexpr int code(ExitStatus status) {
    return static_cast<int>(status);
}

// The statuses above, for the usage text.
inline constexpr char kExitStatusHelp[] =
    "Exit status:\n"
    "  0  every character was listed\n"
    "  1  the input is not valid UTF-8 (the lines before the bad one are listed; the offset of\n"
    "     the first bad byte is given), or standard input or output failed\n"
    "  2  an unknown argument\n"
    "  3  the phonetic dictionary (Debian's libchewing3-data) is missing or incomplete\n"
    "  4  the phonetic dictionary cannot be read\n"
    "  5  the phonetic dictionary is damaged\n"
    "  6  memory ran out, as when a line of the input is too long to hold (lines before it\n"
    "     may have been listed)\n";

} // namespace readings
