#pragma once

#include "model/CQuery.h"

// Selects every class that is an ancestor of all selected classes.
class CSuperClassQuery : public CQuery {
public:
    // The single instance, created on the first call; destroyed by DeleteQueries.
    static CSuperClassQuery* Instance();
    static void DeleteInstance();

    // Finds the classes that every selected class derives from, directly or through other
    // bases (a class is never its own ancestor), and selects their rectangles; shows "No
    // common super classes found" when there are none.
    void Execute(std::list<CSqRectangle*>* selection, int) override;

private:
    CSuperClassQuery();
};
