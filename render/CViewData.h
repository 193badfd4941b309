#pragma once

#include "render/ISubject.h"

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

    // Takes program (may be null) as the document and sizes it (ComputeSize), then tells the
    // observers: each one's Update, in attach order. When it replaces a program, every
    // observer is released from the old one (ReleaseViewData) before that is destroyed, and
    // is given this data again (SetViewData) once the new one is sized. ComputeSize may throw
    // (an unknown fundamental type): the program is then held here, unsized, and no observer
    // was told; Clear or the destructor releases it.
    void SetProgram(std::unique_ptr<CProgram> program);

private:
    std::unique_ptr<CProgram> Program; // owned; null when there is none
    std::list<IObserver*> Observers;   // borrowed, in attach order
};
