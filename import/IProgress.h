#pragma once

// What a load reports while it runs: one line of text and a gauge from 0 to 100. The desktop
// program's progress dialog implements it and repaints itself on Refresh; the command-line
// tool draws it on the terminal; tests record the calls.
class IProgress {
public:
    // Shows text, then refreshes.
    virtual void SetMessage(const char* text) = 0;
    // The gauge's current position.
    virtual int GetValue() const = 0;
    // Moves the gauge; the caller refreshes afterwards.
    virtual void SetValue(int value) = 0;
    // Repaints at once (the load runs on the user-interface thread without an event loop).
    virtual void Refresh() = 0;

protected:
    ~IProgress() = default;
};
