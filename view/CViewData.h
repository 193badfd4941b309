#pragma once

#include "view/ISubject.h"

#include <list>
#include <memory>

class CProgram;
class IObserver;

// The loaded document: owns the program and tells its observers (the view) when it changes,
// so that no observer keeps a treemap of a program that is gone.
class CViewData : public ISubject {
public:
    CViewData();
    // Releases every observer from the program (ReleaseViewData), then destroys it.
    virtual ~CViewData();
    CViewData(const CViewData&) = delete;
    CViewData& operator=(const CViewData&) = delete;

    void Attach(IObserver* observer) override;
    void Detach(IObserver* observer) override;
    // Every observer's ReleaseViewData, in attach order; destroys the program; then every
    // observer's Update.
    void Clear() override;
    CProgram* GetProgram() const override { return Program.get(); }

    // Takes program (sized, or null) as the document, then tells the observers: each one's
    // Update, in attach order. When it replaces a program, every observer is released from the
    // old one (ReleaseViewData) before that is destroyed, and is given this data again
    // (SetViewData) afterwards.
    void SetProgram(std::unique_ptr<CProgram> program);

private:
    std::unique_ptr<CProgram> Program; // owned; null when there is none
    std::list<IObserver*> Observers;   // borrowed, in attach order
};
