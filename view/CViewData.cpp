#include "view/CViewData.h"

#include "model/CProgram.h"
#include "view/IObserver.h"

#include <algorithm>
#include <vector>

CViewData::CViewData() = default;

CViewData::~CViewData() {
    // An observer may detach itself while it is told: walk a copy.
    for (IObserver* observer : std::vector<IObserver*>(Observers.begin(), Observers.end()))
        observer->ReleaseViewData(this);
    Program.reset();
}

void CViewData::Attach(IObserver* observer) {
    if (std::find(Observers.begin(), Observers.end(), observer) == Observers.end())
        Observers.push_back(observer);
}

void CViewData::Detach(IObserver* observer) {
    Observers.remove(observer);
}

void CViewData::Clear() {
    std::vector<IObserver*> observers(Observers.begin(), Observers.end());
    for (IObserver* observer : observers)
        observer->ReleaseViewData(this);
    Program.reset();
    for (IObserver* observer : observers)
        observer->Update();
}

void CViewData::SetProgram(std::unique_ptr<CProgram> program) {
    std::vector<IObserver*> observers(Observers.begin(), Observers.end());
    // The observers' trees point into the old program's elements (and back): they must go
    // before the program does.
    bool replaced = Program != nullptr;
    if (replaced) {
        for (IObserver* observer : observers)
            observer->ReleaseViewData(this);
    }
    Program = std::move(program);
    for (IObserver* observer : observers) {
        if (replaced)
            observer->SetViewData(this);
        else
            observer->Update();
    }
}
