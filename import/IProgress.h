#pragma once

// What a load reports while it runs: one line of text and a gauge from 0 to 100; and whether
// the user asked to stop it. The desktop program's progress dialog implements it and repaints
// itself on Refresh; the command-line tool draws it on the terminal; tests record the calls.
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
    // Whether the user asked to cancel the load. Long steps (the front-end runs of a
    // compilation database, their merge) ask every tenth of a second or so, and end the load
    // with a CError when the answer is yes. The desktop program's dialog handles its Cancel
    // button's click here.
    virtual bool IsCancelled() { return false; }

protected:
    ~IProgress() = default;
};
