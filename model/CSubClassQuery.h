#pragma once

#include "model/CQuery.h"

// Selects every class that derives from all selected classes.
class CSubClassQuery : public CQuery {
public:
    // The single instance, created on the first call; destroyed by DeleteQueries.
    static CSubClassQuery* Instance();
    static void DeleteInstance();

    // Finds the classes that derive, directly or through other bases, from every selected
    // class (a class never derives from itself) and selects their rectangles; shows "No common
    // subclasses found" when there are none.
    void Execute(std::list<CSqRectangle*>* selection, int) override;

private:
    CSubClassQuery();
};
