#pragma once

class CLogFile;

// What sizing a model takes from outside: the log that hears of an unknown fundamental type,
// and whether functions weigh their lines of code alone or their lines and their parameters.
class CSizing {
public:
    // log is borrowed and must outlive the sizing.
    explicit CSizing(CLogFile& log, bool useFunctionLength = false)
        : Log(log), UseFunctionLength(useFunctionLength) {}

    CLogFile& Log;
    bool UseFunctionLength;
};
