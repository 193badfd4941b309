#pragma once

class CProgram;
class IObserver;

// Data that observers show and that tells them when it changes.
class ISubject {
public:
    // Appends observer (borrowed) to the observers; an observer already attached stays where
    // it is, so that it is told of each change once.
    virtual void Attach(IObserver* observer) = 0;
    // Removes every entry of observer; nothing when it is not attached.
    virtual void Detach(IObserver* observer) = 0;
    // Releases the observers from the program, destroys it, then tells them of the change.
    virtual void Clear() = 0;
    // The program (owned by the subject); null when there is none.
    virtual CProgram* GetProgram() const = 0;

protected:
    ~ISubject() = default; // never deleted through this interface
};
